// Runs rivex-batch as a child process and collects what it printed and its exit status.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

extern char** environ;

namespace rivex::testing {

struct Result {
    int status;
    std::string out;
    std::string err;
};

// Starts rivex-batch in `dir`, its standard error sent to a file there, its standard output
// to `out` (a name in `dir`); -1 when it cannot be started.
inline pid_t StartBatch(const TempDir& dir, std::vector<std::string> args,
                        const std::string& out = ".stdout") {
    args.insert(args.begin(), RIVEX_BATCH_PATH);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, (dir / out).c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, (dir / ".stderr").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, (dir / "").c_str());
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

// Waits for a started rivex-batch and collects what it printed and its exit status.
inline Result FinishBatch(const TempDir& dir, pid_t pid, const std::string& out = ".stdout") {
    if (pid < 0) return {-1, {}, "spawn failed"};
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(dir / out),
            ReadFile(dir / ".stderr")};
}

// Runs rivex-batch in `dir` with its output streams sent to files there.
inline Result RunBatch(const TempDir& dir, std::vector<std::string> args) {
    return FinishBatch(dir, StartBatch(dir, std::move(args)));
}

// Runs a bash script in `dir` with RIVEX naming rivex-batch; what it prints goes to files
// there and comes back with its exit status.
inline Result RunScript(const TempDir& dir, const std::string& script) {
    std::vector<std::string> args{"/bin/bash", "-c", script};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env{"RIVEX=" RIVEX_BATCH_PATH, "LC_ALL=C.UTF-8", "PATH=/usr/bin:/bin",
                                 "TMPDIR=" + (dir / "")};
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, (dir / ".stdout").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, (dir / ".stderr").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, (dir / "").c_str());
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return FinishBatch(dir, spawned == 0 ? pid : -1);
}

}  // namespace rivex::testing

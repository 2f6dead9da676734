// rivex-batch: one press of the extract button without a window.
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "app/batch_host.h"
#include "app/batch_options.h"
#include "engine/conditions_file.h"
#include "engine/extract.h"
#include "engine/output_file.h"
#include "engine/platform_error.h"
#include "engine/standard_streams.h"
#include "engine/stop_signals.h"

namespace {

constexpr int kFinished = 0;
constexpr int kRefused = 1;
constexpr int kPlatformError = 2;
constexpr int kUsage = 64;

// A run ended by a signal exits with the shell's status for it.
int SignalStatus(int signal) {
    return 128 + signal;
}

// The status of a run that a stop signal ended, its message shown; 0 when none came.
int EndedBySignal(rivex::BatchHost& host, rivex::Language language) {
    const int signal = rivex::StopSignal();
    if (signal == 0) return 0;
    host.ShowMessage(
        rivex::Say(language, rivex::Phrase::StoppedBySignal, {std::to_string(signal)}));
    return SignalStatus(signal);
}

int RunRequest(const rivex::BatchRequest& request) {
    rivex::EngineState state;
    rivex::BatchHost host(request);
    try {
        const auto outcome = rivex::Extract(request.form, state, host, request.streams);
        if (const auto* refusal = std::get_if<rivex::Refusal>(&outcome)) {
            host.ShowMessage(rivex::Say(request.language, refusal->message));
            return kRefused;
        }
        if (const int status = EndedBySignal(host, request.language); status != 0) return status;
        const auto& summary = std::get<rivex::RunSummary>(outcome);
        if (summary.unconverted > 0) {
            host.ShowMessage(rivex::Say(request.language, rivex::Phrase::UnconvertedNote,
                                        {std::to_string(summary.unconverted)}));
        }
        host.ShowMessage(rivex::Say(request.language, rivex::Phrase::RunFinished));
        return kFinished;
    } catch (...) {
        std::fflush(stdout);
        // A write that the signal broke is no fault of the file.
        if (const int status = EndedBySignal(host, request.language); status != 0) return status;
        host.ShowMessage(rivex::CurrentErrorText(request.language));
        return kPlatformError;
    }
}

// Standard output and standard error are checked like every file: lines that were lost make
// a platform error of the run.
int CheckedStreams(int status, rivex::Language language) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        const int error = errno != 0 ? errno : EIO;
        const std::string name(rivex::kStandardOutputName);
        std::fprintf(stderr, "%s\n",
                     rivex::ErrorText(rivex::FileError(error, name), language).c_str());
        status = kPlatformError;
    }
    if (std::fflush(stderr) != 0 || std::ferror(stderr) != 0) status = kPlatformError;
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    rivex::OpenClosedStandardStreams();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const rivex::BatchCommand command = rivex::ParseBatchArguments(args);
    if (const auto* error = std::get_if<rivex::UsageError>(&command)) {
        std::fprintf(stderr, "rivex-batch: %s\n%s", error->message.c_str(), rivex::kBatchUsage);
        return kUsage;
    }
    if (std::holds_alternative<rivex::HelpRequest>(command)) {
        std::fputs(rivex::BatchHelp().c_str(), stdout);
        return CheckedStreams(kFinished, rivex::LanguageOfEnvironment());
    }
    if (std::holds_alternative<rivex::VersionRequest>(command)) {
        std::fputs("rivex-batch " RIVEX_VERSION "\n", stdout);
        return CheckedStreams(kFinished, rivex::LanguageOfEnvironment());
    }
    if (const auto* save = std::get_if<rivex::SaveConditionsRequest>(&command)) {
        try {
            rivex::SaveConditions(save->path, save->form);
        } catch (...) {
            std::fprintf(stderr, "%s\n", rivex::CurrentErrorText(save->language).c_str());
            return kPlatformError;
        }
        return CheckedStreams(kFinished, save->language);
    }
    rivex::CatchStopSignals();
    const auto& request = std::get<rivex::BatchRequest>(command);
    return CheckedStreams(RunRequest(request), request.language);
}

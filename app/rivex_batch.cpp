// rivex-batch: one press of the extract button without a window.
#include <cstdio>
#include <string>
#include <vector>

#include "app/batch_host.h"
#include "app/batch_options.h"
#include "engine/extract.h"
#include "engine/platform_error.h"

namespace {

constexpr int kFinished = 0;
constexpr int kRefused = 1;
constexpr int kPlatformError = 2;
constexpr int kUsage = 64;

int RunRequest(const rivex::BatchRequest& request) {
    rivex::EngineState state;
    rivex::BatchHost host(request);
    try {
        const auto outcome = rivex::Extract(request.form, state, host);
        if (const auto* refusal = std::get_if<rivex::Refusal>(&outcome)) {
            host.ShowMessage(refusal->message);
            return kRefused;
        }
        host.ShowMessage(rivex::kRunFinished);
        return kFinished;
    } catch (...) {
        std::fflush(stdout);
        host.ShowMessage(rivex::ErrorBoxText(rivex::CurrentExceptionMessage()));
        return kPlatformError;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const rivex::BatchCommand command = rivex::ParseBatchArguments(args);
    if (const auto* error = std::get_if<rivex::UsageError>(&command)) {
        std::fprintf(stderr, "rivex-batch: %s\n%s", error->message.c_str(), rivex::kBatchUsage);
        return kUsage;
    }
    if (std::holds_alternative<rivex::HelpRequest>(command)) {
        std::fputs(rivex::kBatchUsage, stdout);
        return kFinished;
    }
    return RunRequest(std::get<rivex::BatchRequest>(command));
}

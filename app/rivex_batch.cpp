// rivex-batch: one press of the extract button without a window.
#include <cstdio>
#include <string>
#include <vector>

#include "batch_host.h"
#include "batch_options.h"
#include "extract.h"
#include "platform_error.h"

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
        return outcome == rivex::ExtractOutcome::Finished ? kFinished : kRefused;
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

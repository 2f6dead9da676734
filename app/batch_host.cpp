#include "app/batch_host.h"

#include <cstdio>
#include <string>

namespace rivex {

BatchHost::BatchHost(const BatchRequest& request)
    : request_(request), runLog_(request.streams.output ? stderr : stdout) {}

bool BatchHost::AskPlaceholder(PlaceholderState& placeholder) {
    // Each answer is one press of "次　へ"; a refused one is followed by the next, as by a
    // user typing again. With none left the dialog counts as closed.
    const auto& answers = request_.form.Answers;
    while (nextAnswer_ < answers.size()) {
        const auto refusal = AcceptPlaceholderAnswer(answers[nextAnswer_++], placeholder);
        if (!refusal) return true;
        ShowMessage(Say(request_.language, refusal->message));
    }
    return false;
}

void BatchHost::AppendRunLog(const RunLogEntry& entry) {
    for (const std::string& line : RunLogLines(request_.language, entry)) {
        std::fwrite(line.data(), 1, line.size(), runLog_);
        std::fputc('\n', runLog_);
    }
}

void BatchHost::ShowMessage(std::string_view text) {
    std::string lines(text);
    for (std::size_t at; (at = lines.find("\r\n")) != std::string::npos;) lines.erase(at, 1);
    lines += '\n';
    std::fwrite(lines.data(), 1, lines.size(), stderr);
}

}  // namespace rivex

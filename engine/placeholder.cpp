#include "engine/placeholder.h"

#include <utility>

#include "engine/codepage.h"
#include "engine/notation.h"

namespace rivex {
namespace {

// The dialog states its limit of 8 characters, counted as code page 932 bytes.
constexpr std::size_t kMaxTextBytes = 8;

std::size_t Cp932Width(const std::string& text) {
    const std::optional<std::string> bytes = ToCp932(text);
    return bytes ? bytes->size() : text.size();
}

// The next number after `digits`, in as many digits, leading zeros kept.
std::string NextNumber(const std::string& digits) {
    std::string next = digits;
    for (auto it = next.rbegin(); it != next.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return next;
        }
        *it = '0';
    }
    return next;
}

}  // namespace

std::string TakePromptWord(PlaceholderState& placeholder) {
    return std::exchange(placeholder.PromptWord, "つぎの");
}

bool StartsRange(std::string_view left) {
    return CheckDigits(TrimSide("B", left)) == 0;
}

bool NextPlaceholder(PlaceholderState& placeholder, Host& host) {
    if (placeholder.SequenceCurrent != placeholder.SequenceEnd) {
        placeholder.SequenceCurrent = NextNumber(placeholder.SequenceCurrent);
    } else {
        if (placeholder.LastSpecification) return false;
        if (!host.AskPlaceholder(placeholder)) return false;
        if (placeholder.SequenceWidth == 0) return false;
    }
    placeholder.PlaceholderText = placeholder.SequenceCurrent;
    return true;
}

std::optional<DialogRefusal> AcceptPlaceholderAnswer(const PlaceholderAnswer& answer,
                                                     PlaceholderState& placeholder) {
    placeholder.SequenceCurrent = TrimSide("B", answer.left);
    placeholder.SequenceWidth = static_cast<std::int32_t>(placeholder.SequenceCurrent.size());
    if (placeholder.SequenceWidth == 0) {
        if (!answer.last) return DialogRefusal{{Phrase::AtLeftMissing}, DialogFocus::Edit1};
        placeholder.LastSpecification = true;
        return std::nullopt;
    }
    if (Cp932Width(placeholder.SequenceCurrent) > kMaxTextBytes) {
        return DialogRefusal{{Phrase::AtLeftTooLong}, DialogFocus::Edit1};
    }
    if (!StartsRange(placeholder.SequenceCurrent)) {
        placeholder.SequenceEnd = placeholder.SequenceCurrent;
    } else {
        placeholder.SequenceEnd = TrimSide("B", answer.right);
        if (placeholder.SequenceEnd.empty()) placeholder.SequenceEnd = placeholder.SequenceCurrent;
        if (CheckDigits(placeholder.SequenceEnd) != 0) {
            return DialogRefusal{{Phrase::AtRightNotDigits}, DialogFocus::Edit2};
        }
        if (placeholder.SequenceEnd.size() > kMaxTextBytes) {
            return DialogRefusal{{Phrase::AtRightTooLong}, DialogFocus::Edit2};
        }
        if (placeholder.SequenceEnd.size() != placeholder.SequenceCurrent.size()) {
            return DialogRefusal{{Phrase::AtLengthsDiffer}, DialogFocus::Edit1};
        }
        if (placeholder.SequenceCurrent > placeholder.SequenceEnd) {
            return DialogRefusal{{Phrase::AtReversed}, DialogFocus::Edit1};
        }
    }
    placeholder.LastSpecification = answer.last;
    return std::nullopt;
}

std::string ReplacePlaceholder(const std::string& name, const std::string& text) {
    std::string replaced;
    for (const char c : name) {
        if (c == '@') {
            replaced += text;
        } else {
            replaced += c;
        }
    }
    return replaced;
}

}  // namespace rivex

// The series over numbered files: the text that replaces "@" in each pass.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/catalogue.h"
#include "engine/extraction_request.h"
#include "engine/host.h"
#include "engine/state.h"

namespace rivex {

// The word the dialog's prompt starts with: the first showing of a run says "最初の", every
// later one "つぎの".
inline constexpr const char* kFirstPromptWord = "最初の";

// The prompt word for the showing at hand; the showings after it say "つぎの".
std::string TakePromptWord(PlaceholderState& placeholder);

// A left text of digits only (blanks at its ends aside) starts a range of numbers; any other
// text stands alone.
bool StartsRange(std::string_view left);

// Sets PlaceholderText for the next pass: the next number of the typed range, or a new text
// from the placeholder dialog. False when the series has ended.
bool NextPlaceholder(PlaceholderState& placeholder, Host& host);

// The dialog's focus targets for a refused answer.
enum class DialogFocus { Edit1, Edit2 };

struct DialogRefusal {
    Message message;
    DialogFocus focus;
};

// The checks of the "次　へ" button: an accepted answer sets the sequence and closes the
// dialog (nullopt); a refused one keeps it open. What was set before the failing check
// stays set.
std::optional<DialogRefusal> AcceptPlaceholderAnswer(const PlaceholderAnswer& answer,
                                                     PlaceholderState& placeholder);

// Replaces every "@" of `name` by `text`.
std::string ReplacePlaceholder(const std::string& name, const std::string& text);

}  // namespace rivex

// Fuzzes the conditions-file reader with any text: it either refuses with a message that
// begins "** " in either language, or gives a form that saves to a text which reads back to the
// same form.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "engine/conditions_file.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = rivex::ReadConditions(text);
    if (const auto* refusal = std::get_if<rivex::Message>(&read)) {
        // Worded in both languages, as the program's own refusals.
        Require(rivex::Say(rivex::Language::Japanese, *refusal).starts_with("** "));
        Require(rivex::Say(rivex::Language::English, *refusal).starts_with("** "));
        return 0;
    }
    const auto& form = std::get<rivex::ExtractionRequest>(read);
    const auto again = rivex::ReadConditions(rivex::ConditionsText(form));
    const auto* reread = std::get_if<rivex::ExtractionRequest>(&again);
    Require(reread != nullptr);
    // Grid rows after the last filled one are not kept.
    Require(rivex::ConditionsText(*reread) == rivex::ConditionsText(form));
    return 0;
}

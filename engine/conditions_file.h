// The conditions file: what the main window's controls hold for a run, kept as typed (so "*"
// and quoted codes survive), in UTF-8 JSON with a format version. The window saves and loads
// it on purpose; rivex-batch reads and writes the same file.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "engine/form_input.h"

namespace rivex {

// The file name ending the dialogs offer.
inline constexpr std::string_view kConditionsSuffix = ".rivex.json";

// The file's text for `form`; the same form always gives the same bytes. Grid rows after the
// last one that holds anything are left out.
std::string ConditionsText(const FormInput& form);

// The form that a conditions file's text holds, or a message beginning "** " that says what
// is wrong and where (the key, or the line and column of a JSON error).
std::variant<FormInput, std::string> ReadConditions(std::string_view text);

// The whole of a file, and a file written anew; both throw PlatformError.
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace rivex

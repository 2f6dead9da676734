// The checks of the main window's input, in their fixed order, and their compilation into
// the condition tables.
#pragma once

#include <optional>

#include "engine/extraction_request.h"
#include "engine/state.h"

namespace rivex {

// Checks `form` and compiles it into `state.conditions`; the first failed check is returned
// and ends the checks. Also starts the placeholder sequence once a source name is known.
// Throws PlatformError for a digit string beyond the signed 32-bit range.
std::optional<Refusal> CompileConditions(const ExtractionRequest& form, EngineState& state);

}  // namespace rivex

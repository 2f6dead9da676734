// A press of the extract button: the reset, the checks, and the run.
#pragma once

#include "form_input.h"
#include "host.h"
#include "state.h"

namespace rivex {

enum class ExtractOutcome { Refused, Finished };

// Starts from a cleared state, checks `form` (a refusal beeps, shows its message and moves
// the focus) and runs the extraction. Throws PlatformError when a platform error ends it.
ExtractOutcome Extract(const FormInput& form, EngineState& state, Host& host);

}  // namespace rivex

// A press of the extract button: the reset, the checks, and the run.
#pragma once

#include <string>
#include <variant>

#include "engine/extraction_request.h"
#include "engine/host.h"
#include "engine/run.h"
#include "engine/state.h"

namespace rivex {

// Starts from a cleared state, checks `form` and runs the extraction: the first failed check,
// or the summary of the run. Throws PlatformError when a platform error ends the run; the
// files it opened are closed by then.
std::variant<Refusal, RunSummary> Extract(const ExtractionRequest& form, EngineState& state,
                                          Host& host, StandardStreams streams = {});

}  // namespace rivex

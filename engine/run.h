// The extraction run: one pass per file, each reading the source record by record and
// writing the selected records, whole or as their listed fields.
#pragma once

#include "host.h"
#include "state.h"

namespace rivex {

// Runs the compiled conditions of `state`. A platform error ends the run: the files it
// opened are closed, the host is told, and the error is thrown on.
void Run(EngineState& state, Host& host);

}  // namespace rivex

// The extraction run: one pass per file, each reading the source record by record and
// writing the selected records, whole or as their listed fields.
#pragma once

#include <cstdint>

#include "engine/host.h"
#include "engine/state.h"

namespace rivex {

// What a run ends with.
struct RunSummary {
    bool mayBePartial;              // grouped code order: reading may have stopped partway
    std::int64_t totalOutputCount;  // records written in the run
    std::int64_t lastSourceCount;   // records of the last source file opened
    std::int64_t unconverted;       // characters written as a stand-in: they did not convert
    TimeOfDay end;
};

// Runs the compiled conditions of `state`. A platform error ends the run: the files it
// opened are closed, and the error is thrown on.
RunSummary Run(EngineState& state, Host& host);

}  // namespace rivex

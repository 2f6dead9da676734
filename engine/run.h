// The extraction run: one pass per file, each reading the source record by record and
// writing the selected records, whole or as their listed fields.
#pragma once

#include <string>

#include "engine/host.h"
#include "engine/state.h"

namespace rivex {

// What a run ends with, as the main window shows it.
struct RunSummary {
    bool mayBePartial;       // grouped code order: reading may have stopped partway
    std::string totalText;   // records written in the run: one blank, then the count text
    std::string sourceText;  // records of the last source file opened, likewise
    std::string endClock;
};

// The message that closes every run that no error ended.
inline constexpr const char* kRunFinished = "** 終わりました。「終わり」ﾎﾞﾀﾝを押してください。";

// Runs the compiled conditions of `state`. A platform error ends the run: the files it
// opened are closed, and the error is thrown on.
RunSummary Run(EngineState& state, Host& host);

}  // namespace rivex

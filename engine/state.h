// The program-wide state of the engine: one object the program holds for its whole life.
#pragma once

#include <cstdint>
#include <string>

#include "engine/conditions.h"

namespace rivex {

// The text that replaces "@" in the file names, pass by pass.
struct PlaceholderState {
    std::string PlaceholderText;
    std::string SequenceCurrent;
    std::string SequenceEnd;
    std::int32_t SequenceWidth = 0;
    bool LastSpecification = false;
    std::string PromptWord;
};

struct RunState {
    std::int64_t SourceCount = 0;  // records read from the current source file
    std::int64_t OutputCount = 0;  // records written to the current output file
    std::int64_t TotalOutputCount = 0;
    std::int64_t TotalUnconverted = 0;  // characters written as a stand-in in the run
    std::string LastOutputName;
    std::string ActualSourceName;
    std::string ActualOutputName;
};

struct EngineState {
    Conditions conditions;
    PlaceholderState placeholder;
    RunState run;
    // Set by the progress window's cancel button while events are pumped; read by the run.
    bool CancelFlag = false;
    std::int64_t ElapsedMs = 0;
};

}  // namespace rivex

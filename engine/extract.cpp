#include "engine/extract.h"

#include "engine/checks.h"
#include "engine/placeholder.h"
#include "engine/run.h"

namespace rivex {
namespace {

// Every press starts like the first one of the program: nothing of an earlier run is
// appended to or taken over.
void Reset(EngineState& state) {
    state.placeholder.PlaceholderText.clear();
    state.placeholder.PromptWord = kFirstPromptWord;
    state.placeholder.SequenceWidth = 0;
    state.placeholder.LastSpecification = false;
    state.run.TotalOutputCount = 0;
    state.run.TotalUnconverted = 0;
    state.run.LastOutputName.clear();
}

}  // namespace

std::variant<Refusal, RunSummary> Extract(const ExtractionRequest& form, EngineState& state,
                                          Host& host, StandardStreams streams) {
    Reset(state);
    if (auto refusal = CompileConditions(form, state)) return std::move(*refusal);
    state.conditions.Streams = streams;
    return Run(state, host);
}

}  // namespace rivex

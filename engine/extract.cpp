#include "extract.h"

#include "checks.h"
#include "run.h"

namespace rivex {
namespace {

// Every press starts like the first one of the program: nothing of an earlier run is
// appended to or taken over.
void Reset(EngineState& state, Host& host) {
    host.ClearTotals();
    state.placeholder.PlaceholderText.clear();
    state.placeholder.PromptWord = "最初の";
    state.placeholder.SequenceWidth = 0;
    state.placeholder.LastSpecification = false;
    state.run.TotalOutputCount = 0;
    state.run.LastOutputName.clear();
    host.ClearRunLog();
}

}  // namespace

ExtractOutcome Extract(const FormInput& form, EngineState& state, Host& host) {
    Reset(state, host);
    if (const auto refusal = CompileConditions(form, state)) {
        host.Beep();
        host.ShowMessage(refusal->message);
        if (refusal->focus != Focus::Unchanged) host.SetFocus(refusal->focus);
        return ExtractOutcome::Refused;
    }
    Run(state, host);
    return ExtractOutcome::Finished;
}

}  // namespace rivex

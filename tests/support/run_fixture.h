// A press of the extract button on files of a temporary folder, for tests of the run.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

#include "engine/extract.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_dir.h"

namespace rivex::testing {

inline std::string Lines(std::initializer_list<std::string> records) {
    std::string bytes;
    for (const auto& r : records) bytes += r + "\r\n";
    return bytes;
}

class RunTest : public ::testing::Test {
  protected:
    RunTest() {
        form.SourceName = dir / "in.txt";
        form.OutputName = dir / "out.txt";
        form.FieldMode = FieldModes::WholeRecord;
        form.SelectMode = SelectModes::AllRecords;
    }

    void Source(const std::string& bytes) { WriteFile(dir / "in.txt", bytes); }
    std::string Output() const { return ReadFile(dir / "out.txt"); }

    void ByCount(std::vector<std::array<std::string, 2>> rows) {
        form.SelectMode = SelectModes::ByCount;
        form.SelectionRows = std::move(rows);
    }
    void ByCode(std::string keys, std::vector<std::array<std::string, 2>> rows) {
        form.SelectMode = SelectModes::ByCode;
        form.KeyPositions = std::move(keys);
        form.SelectionRows = std::move(rows);
    }
    void Fields(std::vector<std::array<std::string, 4>> rows) {
        form.FieldMode = FieldModes::ListedFields;
        form.FieldRows = std::move(rows);
    }
    // True when the press ran to the end of a run; false for a refusal.
    bool Press() {
        outcome = Extract(form, state, host);
        return std::holds_alternative<RunSummary>(outcome);
    }
    const RunSummary& Summary() const { return std::get<RunSummary>(outcome); }
    std::string LogLine(std::size_t i) const { return host.runLog.at(i); }

    TempDir dir;
    ExtractionRequest form;
    EngineState state;
    FakeHost host;
    std::variant<Refusal, RunSummary> outcome;
};

}  // namespace rivex::testing

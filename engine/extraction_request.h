// What an extraction is asked to do, and what the checks answer when they refuse it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/catalogue.h"
#include "engine/conditions.h"

namespace rivex {

// What the placeholder dialog holds when its "次　へ" button is pressed.
struct PlaceholderAnswer {
    std::string left;   // Edit1
    std::string right;  // Edit2
    bool last;          // CheckBox1: this value or range is the last one

    friend bool operator==(const PlaceholderAnswer&, const PlaceholderAnswer&) = default;
};

// How the codes stand in the source, as the user says: it decides where a code run stops.
enum class CodeOrder : std::uint8_t { Unknown, Grouped, Scattered };

// What an extraction is asked to do, as the user gave it: texts as typed (UTF-8), choices as
// values. A choice the main window can leave unmade is empty until it is made.
struct ExtractionRequest {
    std::string SourceName;
    std::string OutputName;
    std::string KeyPositions;
    // Field rows: left, right, next left, last left.
    std::vector<std::array<std::string, 4>> FieldRows;
    // The names of the field rows' columns, row by row; a row without one is named by its
    // columns.
    std::vector<std::string> FieldNames;
    // Selection rows: from, to (record numbers or codes, by the selection mode).
    std::vector<std::array<std::string, 2>> SelectionRows;
    std::optional<FieldModes> FieldMode;
    std::optional<SelectModes> SelectMode;
    std::optional<CodeOrder> Order;
    bool ExcludeListed = false;  // write the records whose code is in no range
    LineRuleChoice LineRules = LineRuleChoice::Auto;
    OutputLineEnd OutputLineEnds = OutputLineEnd::AsSource;
    CodePage Encoding = CodePage::Cp932;  // of the records, and so of the typed codes
    OutputForm Output;
    // Answers for the placeholder dialog that a conditions file keeps for rivex-batch, one per
    // showing; the window keeps them for the file and asks the user instead.
    std::vector<PlaceholderAnswer> Answers;

    friend bool operator==(const ExtractionRequest&, const ExtractionRequest&) = default;
};

// The control a refusal moves the focus to.
enum class Focus { Unchanged, Button1, Button2, StringGrid1, StringGrid2, Edit3 };

struct Refusal {
    Message message;
    Focus focus;
};

}  // namespace rivex

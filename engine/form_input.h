// What the main window's controls hold at the press of the extract button, as typed (UTF-8).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/conditions.h"

namespace rivex {

// What the placeholder dialog holds when its "次　へ" button is pressed.
struct PlaceholderAnswer {
    std::string left;   // Edit1
    std::string right;  // Edit2
    bool last;          // CheckBox1: this value or range is the last one

    friend bool operator==(const PlaceholderAnswer&, const PlaceholderAnswer&) = default;
};

struct FormInput {
    std::string Edit1;  // source file name
    std::string Edit2;  // output file name
    std::string Edit3;  // key positions
    // Rows below the heading row: left, right, next left, last left.
    std::vector<std::array<std::string, 4>> StringGrid1;
    // Rows below the heading row: from, to (counts or codes, by the selection mode).
    std::vector<std::array<std::string, 2>> StringGrid2;
    bool RadioButton6 = false;                          // whole records
    bool RadioButton7 = false;                          // listed fields
    bool RadioButton8 = false;                          // all records
    bool RadioButton1 = false;                          // by record count
    bool RadioButton2 = false;                          // by code
    bool RadioButton3 = false;                          // code order unknown
    bool RadioButton4 = false;                          // code order grouped
    bool RadioButton5 = false;                          // code order scattered
    bool CheckBox1 = false;                             // extract the codes in no range
    LineRuleChoice ComboBox1 = LineRuleChoice::Auto;    // how source records end
    OutputLineEnd ComboBox2 = OutputLineEnd::AsSource;  // what follows a written record
    CodePage ComboBox3 = CodePage::Cp932;               // the records' encoding
    // Answers for the placeholder dialog that a conditions file keeps for rivex-batch, one per
    // showing; the window keeps them for the file and asks the user instead.
    std::vector<PlaceholderAnswer> Answers;

    friend bool operator==(const FormInput&, const FormInput&) = default;
};

// The control a refusal moves the focus to.
enum class Focus { Unchanged, Button1, Button2, StringGrid1, StringGrid2, Edit3 };

struct Refusal {
    std::string message;
    Focus focus;
};

}  // namespace rivex

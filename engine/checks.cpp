#include "engine/checks.h"

#include <sys/stat.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/codepage.h"
#include "engine/notation.h"
#include "engine/placeholder.h"
#include "engine/series_files.h"

namespace rivex {
namespace {

constexpr std::string_view kNoQuote;
constexpr std::string_view kZeroTest = "0";

bool HoldsPlaceholder(std::string_view name) {
    return QuotedPos(name, 1, 0, "@", kNoQuote, CodePage::Utf8) > 0;
}

// A position or count of at least 1 into `out`, or CheckNumber's refusal.
std::optional<Refusal> ReadNumber(std::string_view text, Phrase item, Focus focus,
                                  std::int64_t& out) {
    NumberCheck check = CheckNumber(text, item, kZeroTest);
    if (check.value < 1) return Refusal{std::move(*check.message), focus};
    out = check.value;
    return std::nullopt;
}

// A left or right cell: "*" as the whole text is -1, the last column of the record.
std::optional<Refusal> ReadColumn(std::string_view text, Phrase item, std::int64_t& out) {
    if (text == "*") {
        out = -1;
        return std::nullopt;
    }
    return ReadNumber(text, item, Focus::StringGrid1, out);
}

// A repeat cell: empty is 0, no repeat; a repeat of a "*" column is refused.
std::optional<Refusal> ReadRepeat(std::string_view text, Phrase item, bool hasStar,
                                  std::int64_t& out) {
    out = 0;
    if (text.empty()) return std::nullopt;
    if (hasStar) return Refusal{{Phrase::RepeatWithStar}, Focus::StringGrid1};
    return ReadNumber(text, item, Focus::StringGrid1, out);
}

// The checks of grid row `row` (from 1); a number too large for 32 bits learns its row.
template <typename Check>
std::optional<Refusal> InRow(int row, Check&& check) {
    try {
        return check();
    } catch (NumberTooLarge& e) {
        e.SetRow(row);
        throw;
    }
}

Refusal FieldRefusal(Phrase phrase) {
    return Refusal{{phrase}, Focus::StringGrid1};
}

std::optional<Refusal> CompileFieldRow(const std::array<std::string, 4>& cells,
                                       std::vector<FieldItem>& items) {
    const std::string leftText = TrimSide("B", cells[0]);
    std::string rightText = TrimSide("B", cells[1]);
    const std::string nextText = TrimSide("B", cells[2]);
    const std::string lastText = TrimSide("B", cells[3]);
    if (leftText.empty() && rightText.empty() && nextText.empty() && lastText.empty()) {
        return std::nullopt;
    }
    std::int64_t left = 0, right = 0, next = 0, last = 0;
    if (auto r = ReadColumn(leftText, Phrase::ItemFieldLeft, left)) return r;
    if (rightText.empty()) rightText = leftText;
    if (auto r = ReadColumn(rightText, Phrase::ItemFieldRight, right)) return r;
    const bool hasStar = left == -1 || right == -1;
    if (auto r = ReadRepeat(nextText, Phrase::ItemFieldNext, hasStar, next)) return r;
    if (auto r = ReadRepeat(lastText, Phrase::ItemFieldLast, hasStar, last)) return r;
    if (!hasStar && left > right) return FieldRefusal(Phrase::FieldLeftAfterRight);
    if (next == 0 && last >= 1) return FieldRefusal(Phrase::FieldNextMissing);
    if (next >= 1) {
        if (last == 0) return FieldRefusal(Phrase::FieldLastMissing);
        if (next > last) return FieldRefusal(Phrase::FieldNextAfterLast);
        // A pitch of 0 or less would repeat the item without end.
        if (next <= left) return FieldRefusal(Phrase::FieldNextNotAfterLeft);
    }
    items.push_back(
        {left, right, hasStar ? -1 : right - left + 1, next >= 1 ? next - left : 0, last});
    return std::nullopt;
}

// True when some text put in place of every "@" of `source` gives `output`: a series into
// one output file would then write over one of its own sources, whether it exists yet or not.
bool SeriesReachesOutput(const std::string& source, const std::string& output) {
    const auto marks = static_cast<std::size_t>(std::count(source.begin(), source.end(), '@'));
    const std::size_t fixed = source.size() - marks;
    if (output.size() < fixed || (output.size() - fixed) % marks != 0) return false;
    const std::size_t first = source.find('@');
    const std::string text = output.substr(first, (output.size() - fixed) / marks);
    return ReplacePlaceholder(source, text) == output;
}

// True when a file that the series could write is one that it could read, however either is
// spelled (another folder path, a symbolic or a hard link): a pass would then write over a
// source before it is read. Where the names could give too many files to look through, only
// the spelling is checked.
bool SeriesWritesItsSource(const Conditions& c) {
    const auto sources = ExistingSeriesFiles(c.SourceFileName);
    auto outputs = c.OutputHasPlaceholder ? ExistingSeriesFiles(c.OutputFileName)
                                          : std::optional<std::vector<FileId>>(std::in_place);
    if (!c.OutputHasPlaceholder) {
        struct stat st {};
        if (::stat(c.OutputFileName.c_str(), &st) == 0) outputs->emplace_back(st.st_dev, st.st_ino);
    }
    if (!sources || !outputs) return false;
    return std::ranges::any_of(*outputs, [&sources](const FileId& file) {
        return std::ranges::find(*sources, file) != sources->end();
    });
}

std::optional<Refusal> CompileFileNames(const ExtractionRequest& form, EngineState& state) {
    Conditions& c = state.conditions;
    if (form.SourceName.empty()) return Refusal{{Phrase::SourceMissing}, Focus::Button1};
    c.SourceFileName = TrimSide("B", form.SourceName);
    c.SourceHasPlaceholder = HoldsPlaceholder(c.SourceFileName);
    state.placeholder.SequenceCurrent = "  ";
    state.placeholder.SequenceEnd = "  ";
    if (form.OutputName.empty()) return Refusal{{Phrase::OutputMissing}, Focus::Button2};
    c.OutputFileName = TrimSide("B", form.OutputName);
    c.OutputHasPlaceholder = HoldsPlaceholder(c.OutputFileName);
    if (c.OutputHasPlaceholder && !c.SourceHasPlaceholder) {
        return Refusal{{Phrase::OutputAtWithoutSourceAt}, Focus::Button2};
    }
    if (c.SourceHasPlaceholder &&
        ((!c.OutputHasPlaceholder && SeriesReachesOutput(c.SourceFileName, c.OutputFileName)) ||
         SeriesWritesItsSource(c))) {
        return Refusal{{Phrase::OutputIsASeriesSource}, Focus::Button2};
    }
    return std::nullopt;
}

std::optional<Refusal> CompileFieldMode(const ExtractionRequest& form, Conditions& c) {
    if (!form.FieldMode) {
        return Refusal{{Phrase::FieldModeUnchosen}, Focus::Unchanged};
    }
    if (*form.FieldMode == FieldModes::WholeRecord) {
        c.FieldMode = FieldModes::WholeRecord;
        return std::nullopt;
    }
    c.FieldMode = FieldModes::ListedFields;
    c.FieldItems.clear();
    for (int row = 1; row <= std::ssize(form.FieldRows); ++row) {
        const auto index = static_cast<std::size_t>(row) - 1;
        const std::size_t before = c.FieldItems.size();
        if (auto r =
                InRow(row, [&] { return CompileFieldRow(form.FieldRows[index], c.FieldItems); }))
            return r;
        if (c.FieldItems.size() > before && index < form.FieldNames.size()) {
            c.FieldItems.back().Name = TrimSide("B", form.FieldNames[index]);
        }
    }
    return std::nullopt;
}

std::optional<Refusal> CompileCountRow(const std::array<std::string, 2>& cells,
                                       std::vector<CountRange>& ranges) {
    const std::string fromText = TrimSide("B", cells[0]);
    std::string toText = TrimSide("B", cells[1]);
    if (fromText.empty() && toText.empty()) return std::nullopt;
    CountRange range{0, CountRange::kEndOfFile};
    if (auto r = ReadNumber(fromText, Phrase::ItemCountFrom, Focus::StringGrid2, range.First))
        return r;
    if (toText.empty()) toText = fromText;
    if (toText != "*") {
        if (auto r = ReadNumber(toText, Phrase::ItemCountTo, Focus::StringGrid2, range.Last))
            return r;
    }
    if (range.First > range.Last) {
        return Refusal{{Phrase::CountReversed}, Focus::StringGrid2};
    }
    ranges.push_back(range);
    return std::nullopt;
}

std::optional<Refusal> CompileCountGrid(const ExtractionRequest& form, Conditions& c) {
    c.CountRanges.clear();
    for (int row = 1; row <= std::ssize(form.SelectionRows); ++row) {
        const auto& cells = form.SelectionRows[static_cast<std::size_t>(row) - 1];
        if (auto r = InRow(row, [&] { return CompileCountRow(cells, c.CountRanges); })) return r;
    }
    if (c.CountRanges.empty()) return Refusal{{Phrase::CountMissing}, Focus::StringGrid2};
    return std::nullopt;
}

std::optional<Refusal> CompileKeyPositions(const ExtractionRequest& form, Conditions& c) {
    std::string keys = TrimSide("B", form.KeyPositions);
    DeleteBlanks(keys, kNoQuote, CodePage::Utf8);
    if (keys.empty()) return Refusal{{Phrase::KeyMissing}, Focus::Edit3};
    c.KeySegments.clear();
    while (true) {
        const ListItem item = NextListItem(keys, kNoQuote, CodePage::Utf8);
        if (item.Result == -1) return Refusal{{Phrase::KeyZeroLength}, Focus::Edit3};
        std::int64_t left = 0, right = 0;
        if (auto r = ReadNumber(item.ItemFrom, Phrase::ItemKeyLeft, Focus::Edit3, left)) return r;
        if (auto r = ReadNumber(item.ItemTo, Phrase::ItemKeyRight, Focus::Edit3, right)) return r;
        if (left > right) return Refusal{{Phrase::KeyReversed}, Focus::Edit3};
        if (c.KeySegments.size() == Conditions::kMaxKeySegments) {
            return Refusal{{Phrase::KeyTooMany}, Focus::Edit3};
        }
        c.KeySegments.push_back({left, right, right - left + 1});
        if (item.Result == 0) return std::nullopt;
    }
}

// A code typed between double quotes loses its first and its last character, whatever the
// last one is, so that blanks at its ends survive the trimming.
std::string Unquoted(const std::string& text, CodePage cp) {
    if (text.empty() || text[0] != '"') return text;
    std::string inner = text.substr(1);
    std::size_t lastStart = 0;
    for (std::size_t i = 0; i < inner.size(); i += CharLength(inner, i, cp)) {
        lastStart = i;
    }
    inner.resize(lastStart);
    return inner;
}

// A code cell in the data's code page, trimmed, so that it compares with the records' bytes.
// Typed text is UTF-8 already.
std::optional<std::string> CodeCell(const std::string& typed, CodePage cp) {
    std::optional<std::string> bytes = ToCodePage(typed, cp);
    if (!bytes) return std::nullopt;
    return TrimSide("B", *bytes);
}

std::optional<Refusal> CompileCodeGrid(const ExtractionRequest& form, Conditions& c) {
    c.CodeRecords.clear();
    for (const auto& row : form.SelectionRows) {
        const std::optional<std::string> fromText = CodeCell(row[0], c.DataCodePage);
        const std::optional<std::string> toText = CodeCell(row[1], c.DataCodePage);
        if (!fromText || !toText) {
            return Refusal{{Phrase::CodeNotCp932}, Focus::StringGrid2};
        }
        if (fromText->empty() && toText->empty()) continue;
        if (fromText->empty()) {
            return Refusal{{Phrase::CodeFromMissing}, Focus::StringGrid2};
        }
        TCodeRcd code{Unquoted(*fromText, c.DataCodePage), {}};
        code.ToCode = toText->empty() ? code.FromCode : Unquoted(*toText, c.DataCodePage);
        if (code.FromCode > code.ToCode) {
            return Refusal{{Phrase::CodeReversed}, Focus::StringGrid2};
        }
        c.CodeRecords.push_back(std::move(code));
    }
    if (c.CodeRecords.empty()) return Refusal{{Phrase::CodeMissing}, Focus::StringGrid2};
    return std::nullopt;
}

std::optional<Refusal> CompileSelectMode(const ExtractionRequest& form, Conditions& c) {
    if (!form.SelectMode) {
        return Refusal{{Phrase::SelectModeUnchosen}, Focus::Unchanged};
    }
    c.SelectMode = *form.SelectMode;
    switch (*form.SelectMode) {
        case SelectModes::AllRecords:
            c.CountRanges = {{1, CountRange::kEndOfFile}};
            return std::nullopt;
        case SelectModes::ByCount:
            return CompileCountGrid(form, c);
        case SelectModes::ByCode:
            if (auto r = CompileKeyPositions(form, c)) return r;
            return CompileCodeGrid(form, c);
    }
    return std::nullopt;
}

}  // namespace

std::optional<Refusal> CompileConditions(const ExtractionRequest& form, EngineState& state) {
    Conditions& c = state.conditions;
    c.LineRules = form.LineRules;
    c.OutputLineEnds = form.OutputLineEnds;
    c.DataCodePage = form.Encoding;
    c.Output = form.Output;
    if (auto r = CompileFileNames(form, state)) return r;
    if (auto r = CompileFieldMode(form, state.conditions)) return r;
    return CompileSelectMode(form, state.conditions);
}

}  // namespace rivex

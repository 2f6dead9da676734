// Fuzzes the checks and their compilation with a form built from the input: the first two
// bytes choose the radio buttons and the box, the rest are NUL-separated control texts.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/checks.h"
#include "engine/platform_error.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

void RequireCompiled(const rivex::Conditions& c) {
    using namespace rivex;
    if (c.FieldMode == FieldModes::ListedFields) {
        for (const FieldItem& item : c.FieldItems) {
            Require(item.Left == -1 || item.Left >= 1);
            Require(item.Right == -1 || item.Right >= 1);
            if (item.Left >= 1 && item.Right >= 1) {
                Require(item.Left <= item.Right && item.Width == item.Right - item.Left + 1);
            } else {
                Require(item.Width == -1);
            }
            Require((item.Pitch == 0) == (item.LastLeft == 0));
            if (item.LastLeft != 0)
                Require(item.Pitch >= 1 && item.Left + item.Pitch <= item.LastLeft);
        }
    }
    if (c.SelectMode == SelectModes::ByCode) {
        Require(!c.KeySegments.empty() && c.KeySegments.size() <= Conditions::kMaxKeySegments);
        for (const KeySegment& k : c.KeySegments) {
            Require(k.Left >= 1 && k.Left <= k.Right && k.Width == k.Right - k.Left + 1);
        }
        Require(!c.CodeRecords.empty());
        for (const TCodeRcd& code : c.CodeRecords) Require(code.FromCode <= code.ToCode);
    } else {
        Require(!c.CountRanges.empty());
        for (const CountRange& r : c.CountRanges) Require(r.First >= 1 && r.First <= r.Last);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rivex;
    if (size < 2) return 0;
    std::vector<std::string> texts;
    std::string text;
    for (std::size_t i = 2; i < size; ++i) {
        if (data[i] == 0) {
            texts.push_back(text);
            text.clear();
        } else {
            text += static_cast<char>(data[i]);
        }
    }
    texts.push_back(text);
    std::size_t next = 0;
    const auto take = [&] { return next < texts.size() ? texts[next++] : std::string(); };

    ExtractionRequest form;
    const unsigned bits = data[0] | (data[1] << 8);
    // Each choice made or left unmade, as the window allows.
    if ((bits & 3) != 0) form.FieldMode = static_cast<FieldModes>(((bits & 3) - 1) % 2);
    if ((bits & 12) != 0) form.SelectMode = static_cast<SelectModes>(((bits >> 2) & 3) - 1);
    if ((bits & 48) != 0) form.Order = static_cast<CodeOrder>(((bits >> 4) & 3) - 1);
    form.ExcludeListed = (bits & 64) != 0;
    form.SourceName = take();
    form.OutputName = take();
    form.KeyPositions = take();
    const std::size_t rows1 = (bits >> 8) & 3;
    const std::size_t rows2 = (bits >> 10) & 7;
    for (std::size_t r = 0; r < rows1; ++r)
        form.FieldRows.push_back({take(), take(), take(), take()});
    for (std::size_t r = 0; r < rows2; ++r) form.SelectionRows.push_back({take(), take()});

    EngineState state;
    try {
        if (!CompileConditions(form, state)) RequireCompiled(state.conditions);
    } catch (const PlatformError& e) {
        Require(e.message().find("は整数ではありません") != std::string::npos);
    }
    return 0;
}

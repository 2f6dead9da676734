// The names that conditions files and rivex-batch's options give the request's choices: one
// table each, so that a file and a command line always mean the same.
#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "engine/extraction_request.h"

namespace rivex {

template <typename Value, std::size_t N>
using ChoiceNames = std::array<std::pair<std::string_view, Value>, N>;

inline constexpr ChoiceNames<FieldModes, 2> kFieldModeNames{{
    {"whole", FieldModes::WholeRecord},
    {"listed", FieldModes::ListedFields},
}};
inline constexpr ChoiceNames<SelectModes, 3> kSelectModeNames{{
    {"all", SelectModes::AllRecords},
    {"count", SelectModes::ByCount},
    {"code", SelectModes::ByCode},
}};
inline constexpr ChoiceNames<CodeOrder, 3> kCodeOrderNames{{
    {"unknown", CodeOrder::Unknown},
    {"grouped", CodeOrder::Grouped},
    {"scattered", CodeOrder::Scattered},
}};
inline constexpr ChoiceNames<LineRuleChoice, 3> kLineRuleNames{{
    {"auto", LineRuleChoice::Auto},
    {"cr", LineRuleChoice::Cr},
    {"lf", LineRuleChoice::Lf},
}};
inline constexpr ChoiceNames<OutputLineEnd, 3> kOutputLineEndNames{{
    {"source", OutputLineEnd::AsSource},
    {"crlf", OutputLineEnd::CrLf},
    {"lf", OutputLineEnd::Lf},
}};
inline constexpr ChoiceNames<OutputFormat, 3> kOutputFormatNames{{
    {"fixed", OutputFormat::Fixed},
    {"csv", OutputFormat::Csv},
    {"tsv", OutputFormat::Tsv},
}};
inline constexpr ChoiceNames<OutputEncoding, 4> kOutputEncodingNames{{
    {"same", OutputEncoding::AsData},
    {"utf8", OutputEncoding::Utf8},
    {"utf8-bom", OutputEncoding::Utf8WithMark},
    {"sjis", OutputEncoding::Cp932},
}};

template <typename Value, std::size_t N>
std::optional<Value> ValueNamed(const ChoiceNames<Value, N>& names, std::string_view name) {
    const auto it = std::ranges::find(names, name, &std::pair<std::string_view, Value>::first);
    if (it == names.end()) return std::nullopt;
    return it->second;
}

template <typename Value, std::size_t N>
std::string_view NameOf(const ChoiceNames<Value, N>& names, Value value) {
    return std::ranges::find(names, value, &std::pair<std::string_view, Value>::second)->first;
}

}  // namespace rivex

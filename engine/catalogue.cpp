#include "engine/catalogue.h"

#include <cstdlib>

#include "engine/text_format.h"

namespace rivex {

std::optional<Language> LanguageNamed(std::string_view name) {
    if (name == "ja") return Language::Japanese;
    if (name == "en") return Language::English;
    return std::nullopt;
}

Language LanguageOfEnvironment() {
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0') continue;
        return std::string_view(value).starts_with("en") ? Language::English : Language::Japanese;
    }
    return Language::Japanese;
}

std::string Say(Language language, Phrase phrase, const std::vector<std::string>& arguments) {
    const std::string_view text =
        language == Language::English ? EnglishText(phrase) : JapaneseText(phrase);
    std::string said;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool mark = text[i] == '{' && i + 2 < text.size() && text[i + 2] == '}' &&
                          text[i + 1] >= '1' && text[i + 1] <= '9';
        const auto index = mark ? static_cast<std::size_t>(text[i + 1] - '1') : 0;
        if (mark && index < arguments.size()) {
            said += arguments[index];
            i += 2;
        } else {
            said += text[i];
        }
    }
    return said;
}

std::string Say(Language language, const Message& message) {
    std::vector<std::string> words;
    for (const Word& word : message.arguments) {
        const auto* phrase = std::get_if<Phrase>(&word);
        words.push_back(phrase ? Say(language, *phrase) : std::get<std::string>(word));
    }
    return Say(language, message.phrase, words);
}

// Japanese leaves a count of 0 empty, as the boxes always have.
std::string CountWords(Language language, std::int64_t count) {
    if (language == Language::English && count == 0) return "0";
    return CountText(count);
}

std::vector<std::string> RunLogLines(Language language, const RunLogEntry& entry) {
    using Kind = RunLogEntry::Kind;
    switch (entry.kind) {
        case Kind::SeriesStep:
            return {Say(language, Phrase::RunLogSeriesRule),
                    Say(language, Phrase::RunLogPlaceholderText, {VisibleText(entry.text)})};
        case Kind::SourceName:
            return {Say(language, Phrase::RunLogSourceName, {VisibleText(entry.text)})};
        case Kind::OutputName:
            return {Say(language, Phrase::RunLogOutputName, {VisibleText(entry.text)})};
        case Kind::SourceCount:
            return {Say(language, Phrase::RunLogSourceCount, {CountWords(language, entry.count)})};
        case Kind::OutputCount:
            return {Say(language, Phrase::RunLogOutputCount, {CountWords(language, entry.count)})};
        case Kind::Unconverted:
            return {Say(language, Phrase::RunLogUnconverted, {CountWords(language, entry.count)})};
    }
    return {};
}

}  // namespace rivex

#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace rivex {
namespace {

TEST(Catalogue, ArgumentsFillTheirMarks) {
    EXPECT_EQ(Say(Language::Japanese, Phrase::StoppedBySignal, {"15"}),
              "** シグナル 15 で中断しました。");
    EXPECT_EQ(Say(Language::English, Phrase::StoppedBySignal, {"15"}), "** Stopped by signal 15.");
    // A mark without its argument stays as written.
    EXPECT_EQ(Say(Language::English, Phrase::StoppedBySignal), "** Stopped by signal {1}.");
}

TEST(Catalogue, RunLogLinesInBothLanguages) {
    const RunLogEntry step{RunLogEntry::Kind::SeriesStep, "0\n1"};
    EXPECT_EQ(RunLogLines(Language::Japanese, step),
              (std::vector<std::string>{" ---------------------------", "＠相当文字：0?1"}));
    const RunLogEntry none{RunLogEntry::Kind::OutputCount, {}, 0};
    EXPECT_EQ(RunLogLines(Language::Japanese, none),
              std::vector<std::string>{" 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数："});
    EXPECT_EQ(RunLogLines(Language::English, none),
              std::vector<std::string>{" Records written: 0"});
    const RunLogEntry many{RunLogEntry::Kind::SourceCount, {}, 1234567};
    EXPECT_EQ(RunLogLines(Language::English, many),
              std::vector<std::string>{" Records read   : 1,234,567"});
}

TEST(Catalogue, LanguageOfTheLocale) {
    const auto with = [](const char* language, const char* all, const char* lang) {
        for (const auto& [name, value] :
             {std::pair{"LANGUAGE", language}, {"LC_ALL", all}, {"LANG", lang}}) {
            if (value) {
                setenv(name, value, 1);
            } else {
                unsetenv(name);
            }
        }
        unsetenv("LC_MESSAGES");
        return LanguageOfEnvironment();
    };
    EXPECT_EQ(with(nullptr, nullptr, "en_US.UTF-8"), Language::English);
    EXPECT_EQ(with(nullptr, nullptr, "C.UTF-8"), Language::Japanese);
    EXPECT_EQ(with(nullptr, "POSIX", "en_US.UTF-8"), Language::Japanese);  // LC_ALL comes first
    EXPECT_EQ(with("en", "ja_JP.UTF-8", nullptr), Language::English);
    EXPECT_EQ(with("", nullptr, nullptr), Language::Japanese);
    EXPECT_EQ(LanguageNamed("en"), Language::English);
    EXPECT_EQ(LanguageNamed("EN"), std::nullopt);
}

}  // namespace
}  // namespace rivex

// The Japanese texts, as users and their scripts know them: blanks and full-width characters
// are part of them.
#include "engine/catalogue.h"

namespace rivex {

std::string_view JapaneseText(Phrase phrase) {
    switch (phrase) {
        case Phrase::RunLogSeriesRule:
            return " ---------------------------";
        case Phrase::RunLogPlaceholderText:
            return "＠相当文字：{1}";
        case Phrase::RunLogSourceName:
            return "元ファイル名　：{1}";
        case Phrase::RunLogOutputName:
            return "抽出ファイル名：{1}";
        case Phrase::RunLogSourceCount:
            return " 元ﾌｧｲﾙﾚｺｰﾄﾞ数　：{1}";
        case Phrase::RunLogOutputCount:
            return " 抽出ﾌｧｲﾙﾚｺｰﾄﾞ数：{1}";
        case Phrase::RunFinished:
            return "** 終わりました。「終わり」ﾎﾞﾀﾝを押してください。";
        case Phrase::StoppedBySignal:
            return "** シグナル {1} で中断しました。";
    }
    return {};
}

}  // namespace rivex

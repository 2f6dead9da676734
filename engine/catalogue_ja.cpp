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
        case Phrase::RunLogUnconverted:
            return " 変換できない文字：{1}";
        case Phrase::UnconvertedNote:
            return "** 出力の文字コードに変換できない文字が {1} 個あり，代わりの文字を書きました。";
        case Phrase::RunFinished:
            return "** 終わりました。「終わり」ﾎﾞﾀﾝを押してください。";
        case Phrase::StoppedBySignal:
            return "** シグナル {1} で中断しました。";
        case Phrase::FileNotFound:
            return "ファイルが見つかりません";
        case Phrase::BadFileName:
            return "不正なファイル名です";
        case Phrase::TooManyOpenFiles:
            return "オープンしたファイルが多すぎます";
        case Phrase::AccessDenied:
            return "ファイルへのアクセスが拒否されました";
        case Phrase::IoError:
            return "I/O エラー ({1})";
        case Phrase::CauseFolder:
            return "フォルダです";
        case Phrase::CauseDiskFull:
            return "ディスクに空きがありません";
        case Phrase::CauseQuota:
            return "ディスクの使用量の上限を超えました";
        case Phrase::CauseFileTooLarge:
            return "ファイルが大きすぎます";
        case Phrase::CauseDevice:
            return "装置の読み書きに失敗しました";
        case Phrase::CauseLinkLoop:
            return "シンボリックリンクが循環しています";
        case Phrase::CauseNameTooLong:
            return "名前が長すぎます";
        case Phrase::CauseNoReader:
            return "読み手がいません";
        case Phrase::CauseSignal:
            return "シグナルで中断されました";
        case Phrase::CauseBusy:
            return "実行中のファイルです";
        case Phrase::CauseNoDevice:
            return "装置がありません";
        case Phrase::SystemText:
            return "{1}";
        case Phrase::OutOfMemory:
            return "メモリが足りません";
        case Phrase::NotAnInteger:
            return "'{1}' は整数ではありません";
        case Phrase::CannotConvert:
            return "文字コードを変換できません ({1} → {2})";
        case Phrase::SourceChanged:
            return "元ファイルが読み込み中に変更されました";
        case Phrase::StandardInputClosed:
            return "標準入力が閉じています";
        case Phrase::StandardOutputClosed:
            return "標準出力が閉じています";
        case Phrase::StandardErrorClosed:
            return "標準エラー出力が閉じています";
        case Phrase::OutputIsSource:
            return "抽出ファイルが元ファイルと同じファイルです";
        case Phrase::OutputIsStandardOutput:
            return "抽出ファイルが標準出力と同じファイルです";
        case Phrase::OutputIsStandardError:
            return "抽出ファイルが標準エラー出力と同じファイルです";
        case Phrase::OutputInUse:
            return "抽出ファイルは別の抽出が書き込み中です";
        case Phrase::ViewRegularOnly:
            return "レコードを表示できるのは通常のファイルだけです";
        case Phrase::PrinterInvalid:
            return "選択したプリンタは有効ではありません";
        case Phrase::ConditionsKeyMissing:
            return "** 抽出条件ファイルに「{1}」がありません。";
        case Phrase::ConditionsWrongForm:
            return "** 抽出条件ファイルの「{1}」の形が違います。";
        case Phrase::ConditionsBadCharacter:
            return "** 抽出条件ファイルの「{1}」に使えない文字があります。";
        case Phrase::ConditionsTooDeep:
            return "** 抽出条件ファイルの入れ子が深すぎます。";
        case Phrase::ConditionsKeyTwice:
            return "** 抽出条件ファイルに「{1}」が二つあります。";
        case Phrase::ConditionsNotConditions:
            return "** 抽出条件ファイルではありません。";
        case Phrase::ConditionsVersion:
            return "** 抽出条件ファイルの版 {1} は読めません。";
        case Phrase::ConditionsJsonAt:
            return "** 抽出条件ファイルの {1} 行 {2} 桁目が JSON として読めません。";
        case Phrase::ConditionsNumberTooLarge:
            return "** 抽出条件ファイルに大きすぎる数があります。";
        case Phrase::ConditionsNotJson:
            return "** 抽出条件ファイルが JSON として読めません。";
        case Phrase::ConditionsNotRegular:
            return "** 抽出条件ファイルが通常のファイルではありません。";
        case Phrase::ConditionsTooLarge:
            return "** 抽出条件ファイルが大きすぎます。";
        case Phrase::ConditionsNotUtf8:
            return "** 「{1}」は UTF-8 でないため保存できません。";
        case Phrase::ConditionsSaveOverOther:
            return "** 抽出条件ファイルでないファイルには保存できません。";
        case Phrase::AtLeftMissing:
            return "** 左側文字の指定がありません。";
        case Phrase::AtLeftTooLong:
            return "** 左側文字が８桁を超えています。";
        case Phrase::AtRightNotDigits:
            return "** 右側文字が非数字です。";
        case Phrase::AtRightTooLong:
            return "** 右側文字が８桁を超えています。";
        case Phrase::AtLengthsDiffer:
            return "** 左右の文字長さが異なります。";
        case Phrase::AtReversed:
            return "** 左右の文字が逆順です。";
        case Phrase::ItemFieldLeft:
            return "ﾌｨｰﾙﾄﾞ左桁位置";
        case Phrase::ItemFieldRight:
            return "ﾌｨｰﾙﾄﾞ右桁位置";
        case Phrase::ItemFieldNext:
            return "ﾌｨｰﾙﾄﾞつぎの左位置";
        case Phrase::ItemFieldLast:
            return "ﾌｨｰﾙﾄﾞﾗｽﾄ左位置";
        case Phrase::ItemCountFrom:
            return "ｶｳﾝﾄはじめ";
        case Phrase::ItemCountTo:
            return "ｶｳﾝﾄおわり";
        case Phrase::ItemKeyLeft:
            return "ｷｰ左位置の指定";
        case Phrase::ItemKeyRight:
            return "ｷｰ右位置の指定";
        case Phrase::NumberEmpty:
            return "{1}はヌルです。";
        case Phrase::NumberNotDigits:
            return "{1}は非数字です。\r\n  {2}";
        case Phrase::NumberZero:
            return "{1}は値0です。\r\n  {2}";
        case Phrase::NumberTooLargeIn:
            return "'{1}' は整数ではありません.\r\n  {2}";
        case Phrase::NumberTooLargeInRow:
            return "'{1}' は整数ではありません.\r\n  {2} ({3})";
        case Phrase::RepeatWithStar:
            return "** 繰り返しのとき＊は使えません。";
        case Phrase::FieldLeftAfterRight:
            return "** ﾌｨｰﾙﾄﾞの左位置＞右位置です。";
        case Phrase::FieldNextMissing:
            return "** ﾌｨｰﾙﾄﾞのつぎの左位置が無指定です。";
        case Phrase::FieldLastMissing:
            return "** ﾌｨｰﾙﾄﾞのﾗｽﾄ左位置が無指定です。";
        case Phrase::FieldNextAfterLast:
            return "** ﾌｨｰﾙﾄﾞのつぎの左位置＞ﾗｽﾄ左位置です。";
        case Phrase::FieldNextNotAfterLeft:
            return "** ﾌｨｰﾙﾄﾞのつぎの左位置が左位置以下です。";
        case Phrase::SourceMissing:
            return "** 元ファイルの指定がありません。";
        case Phrase::OutputMissing:
            return "** 抽出ファイルの指定がありません。";
        case Phrase::OutputAtWithoutSourceAt:
            return "** 抽出ﾌｧｲﾙの＠は元ﾌｧｲﾙに＠がないので指定できません。";
        case Phrase::OutputIsASeriesSource:
            return "** 抽出ﾌｧｲﾙが＠の元ﾌｧｲﾙのひとつと同じ名前です。";
        case Phrase::FieldModeUnchosen:
            return "** ﾌｨｰﾙﾄﾞ項目の抽出が未指定です。";
        case Phrase::CountReversed:
            return "** ｶｳﾝﾄ指定が逆転しています。";
        case Phrase::CountMissing:
            return "** ｶｳﾝﾄ指定がありません。";
        case Phrase::KeyMissing:
            return "** ｷｰ位置の指定がありません。";
        case Phrase::KeyZeroLength:
            return "** ｷｰ位置で長さ0の指定があります。";
        case Phrase::KeyReversed:
            return "** ｷｰ位置指定が逆転しています。";
        case Phrase::KeyTooMany:
            return "** ｷｰ位置の指定は10個までです。";
        case Phrase::CodeNotCp932:
            return "** ｺｰﾄﾞにｼﾌﾄJISで表せない文字があります。";
        case Phrase::CodeFromMissing:
            return "** はじめｺｰﾄﾞの指定がありません。";
        case Phrase::CodeReversed:
            return "** ｺｰﾄﾞ指定が逆転しています。";
        case Phrase::CodeMissing:
            return "** ｺｰﾄﾞ指定がありません。";
        case Phrase::SelectModeUnchosen:
            return "** ﾚｺｰﾄﾞの抽出が未指定です。";
    }
    return {};
}

}  // namespace rivex

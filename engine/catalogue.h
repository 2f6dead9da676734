// The words of the program in each language it speaks. Japanese holds the texts users and
// scripts know; English is the same, said in English.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/run_log.h"

namespace rivex {

enum class Language : std::uint8_t { Japanese, English };

// "ja" or "en".
std::optional<Language> LanguageNamed(std::string_view name);

// English when the first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that is set begins with
// "en"; Japanese otherwise, the C and POSIX locales among them, so that scripts that read the
// Japanese texts keep working.
Language LanguageOfEnvironment();

// One text of the catalogue; "{1}", "{2}"... stand for the arguments given with it.
enum class Phrase : std::uint16_t {
    RunLogSeriesRule,
    RunLogPlaceholderText,
    RunLogSourceName,
    RunLogOutputName,
    RunLogSourceCount,
    RunLogOutputCount,
    RunLogUnconverted,
    RunFinished,
    UnconvertedNote,
    StoppedBySignal,
    FileNotFound,
    BadFileName,
    TooManyOpenFiles,
    AccessDenied,
    IoError,
    CauseFolder,
    CauseDiskFull,
    CauseQuota,
    CauseFileTooLarge,
    CauseDevice,
    CauseLinkLoop,
    CauseNameTooLong,
    CauseNoReader,
    CauseSignal,
    CauseBusy,
    CauseNoDevice,
    SystemText,
    OutOfMemory,
    NotAnInteger,
    CannotConvert,
    SourceChanged,
    StandardInputClosed,
    StandardOutputClosed,
    StandardErrorClosed,
    OutputIsSource,
    OutputIsStandardOutput,
    OutputIsStandardError,
    OutputInUse,
    ViewRegularOnly,
    PrinterInvalid,
    ConditionsKeyMissing,
    ConditionsWrongForm,
    ConditionsBadCharacter,
    ConditionsTooDeep,
    ConditionsKeyTwice,
    ConditionsNotConditions,
    ConditionsVersion,
    ConditionsJsonAt,
    ConditionsNumberTooLarge,
    ConditionsNotJson,
    ConditionsNotRegular,
    ConditionsTooLarge,
    ConditionsNotUtf8,
    ConditionsSaveOverOther,
    AtLeftMissing,
    AtLeftTooLong,
    AtRightNotDigits,
    AtRightTooLong,
    AtLengthsDiffer,
    AtReversed,
    ItemFieldLeft,
    ItemFieldRight,
    ItemFieldNext,
    ItemFieldLast,
    ItemCountFrom,
    ItemCountTo,
    ItemKeyLeft,
    ItemKeyRight,
    NumberEmpty,
    NumberNotDigits,
    NumberZero,
    NumberTooLargeIn,
    NumberTooLargeInRow,
    RepeatWithStar,
    FieldLeftAfterRight,
    FieldNextMissing,
    FieldLastMissing,
    FieldNextAfterLast,
    FieldNextNotAfterLeft,
    SourceMissing,
    OutputMissing,
    OutputAtWithoutSourceAt,
    OutputIsASeriesSource,
    FieldModeUnchosen,
    CountReversed,
    CountMissing,
    KeyMissing,
    KeyZeroLength,
    KeyReversed,
    KeyTooMany,
    CodeNotCp932,
    CodeFromMissing,
    CodeReversed,
    CodeMissing,
    SelectModeUnchosen,
};

// An argument of a message: a text as it stands (a name, a number), or a phrase worded in
// the same language as the message.
using Word = std::variant<std::string, Phrase>;

// A phrase with its arguments: what the engine tells, before it is worded.
struct Message {
    Phrase phrase;
    std::vector<Word> arguments = {};

    friend bool operator==(const Message&, const Message&) = default;
};

// The text of `phrase` in `language`, its arguments filled in.
std::string Say(Language language, Phrase phrase, const std::vector<std::string>& arguments = {});
std::string Say(Language language, const Message& message);

// A count as the language writes it in the RunLog and the main window's boxes.
std::string CountWords(Language language, std::int64_t count);

// The lines the RunLog shows for `entry`.
std::vector<std::string> RunLogLines(Language language, const RunLogEntry& entry);

// The catalogues themselves: the text of a phrase with its "{n}" marks.
std::string_view JapaneseText(Phrase phrase);
std::string_view EnglishText(Phrase phrase);

}  // namespace rivex

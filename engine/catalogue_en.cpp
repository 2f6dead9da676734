#include "engine/catalogue.h"

namespace rivex {

std::string_view EnglishText(Phrase phrase) {
    switch (phrase) {
        case Phrase::RunLogSeriesRule:
            return " ---------------------------";
        case Phrase::RunLogPlaceholderText:
            return "Text for @     : {1}";
        case Phrase::RunLogSourceName:
            return "Source file    : {1}";
        case Phrase::RunLogOutputName:
            return "Output file    : {1}";
        case Phrase::RunLogSourceCount:
            return " Records read   : {1}";
        case Phrase::RunLogOutputCount:
            return " Records written: {1}";
        case Phrase::RunLogUnconverted:
            return " Not converted  : {1}";
        case Phrase::UnconvertedNote:
            return "** Characters that did not convert to the output encoding: {1}; each was "
                   "written as a stand-in.";
        case Phrase::RunFinished:
            return "** Finished. Press \"Close\".";
        case Phrase::StoppedBySignal:
            return "** Stopped by signal {1}.";
        case Phrase::FileNotFound:
            return "File not found";
        case Phrase::BadFileName:
            return "Invalid file name";
        case Phrase::TooManyOpenFiles:
            return "Too many open files";
        case Phrase::AccessDenied:
            return "Access to the file was denied";
        case Phrase::IoError:
            return "I/O error ({1})";
        case Phrase::CauseFolder:
            return "It is a folder";
        case Phrase::CauseDiskFull:
            return "The disk is full";
        case Phrase::CauseQuota:
            return "The disk quota is used up";
        case Phrase::CauseFileTooLarge:
            return "The file is too large";
        case Phrase::CauseDevice:
            return "The device failed to read or write";
        case Phrase::CauseLinkLoop:
            return "The symbolic links loop";
        case Phrase::CauseNameTooLong:
            return "The name is too long";
        case Phrase::CauseNoReader:
            return "Nothing reads the pipe";
        case Phrase::CauseSignal:
            return "Interrupted by a signal";
        case Phrase::CauseBusy:
            return "The file is being executed";
        case Phrase::CauseNoDevice:
            return "No such device";
        case Phrase::SystemText:
            return "{1}";
        case Phrase::OutOfMemory:
            return "Out of memory";
        case Phrase::NotAnInteger:
            return "'{1}' is not an integer";
        case Phrase::CannotConvert:
            return "Cannot convert between encodings ({1} → {2})";
        case Phrase::SourceChanged:
            return "The source file changed while it was read";
        case Phrase::StandardInputClosed:
            return "Standard input is closed";
        case Phrase::StandardOutputClosed:
            return "Standard output is closed";
        case Phrase::StandardErrorClosed:
            return "Standard error is closed";
        case Phrase::OutputIsSource:
            return "The output file is the source file";
        case Phrase::OutputIsStandardOutput:
            return "The output file is standard output";
        case Phrase::OutputIsStandardError:
            return "The output file is standard error";
        case Phrase::OutputInUse:
            return "Another extraction is writing the output file";
        case Phrase::ViewRegularOnly:
            return "Only the records of a regular file can be shown";
        case Phrase::PrinterInvalid:
            return "The selected printer is not valid";
        case Phrase::ConditionsKeyMissing:
            return "** The conditions file has no \"{1}\".";
        case Phrase::ConditionsWrongForm:
            return "** \"{1}\" of the conditions file has the wrong form.";
        case Phrase::ConditionsBadCharacter:
            return "** \"{1}\" of the conditions file holds a character that cannot be used.";
        case Phrase::ConditionsTooDeep:
            return "** The conditions file is nested too deeply.";
        case Phrase::ConditionsKeyTwice:
            return "** The conditions file holds \"{1}\" twice.";
        case Phrase::ConditionsNotConditions:
            return "** This is not a conditions file.";
        case Phrase::ConditionsVersion:
            return "** Version {1} of the conditions file cannot be read.";
        case Phrase::ConditionsJsonAt:
            return "** Line {1}, column {2} of the conditions file cannot be read as JSON.";
        case Phrase::ConditionsNumberTooLarge:
            return "** The conditions file holds a number that is too large.";
        case Phrase::ConditionsNotJson:
            return "** The conditions file cannot be read as JSON.";
        case Phrase::ConditionsNotRegular:
            return "** The conditions file is not a regular file.";
        case Phrase::ConditionsTooLarge:
            return "** The conditions file is too large.";
        case Phrase::ConditionsNotUtf8:
            return "** \"{1}\" is not UTF-8 and cannot be saved.";
        case Phrase::ConditionsSaveOverOther:
            return "** Conditions cannot be saved over a file that is not a conditions file.";
        case Phrase::AtLeftMissing:
            return "** The left text is missing.";
        case Phrase::AtLeftTooLong:
            return "** The left text is longer than 8 bytes.";
        case Phrase::AtRightNotDigits:
            return "** The right text is not a number.";
        case Phrase::AtRightTooLong:
            return "** The right text is longer than 8 digits.";
        case Phrase::AtLengthsDiffer:
            return "** The left and right texts differ in length.";
        case Phrase::AtReversed:
            return "** The left text comes after the right one.";
        case Phrase::ItemFieldLeft:
            return "Field left column";
        case Phrase::ItemFieldRight:
            return "Field right column";
        case Phrase::ItemFieldNext:
            return "Field next left column";
        case Phrase::ItemFieldLast:
            return "Field last left column";
        case Phrase::ItemCountFrom:
            return "Count from";
        case Phrase::ItemCountTo:
            return "Count to";
        case Phrase::ItemKeyLeft:
            return "Key left column";
        case Phrase::ItemKeyRight:
            return "Key right column";
        case Phrase::NumberEmpty:
            return "{1} is empty.";
        case Phrase::NumberNotDigits:
            return "{1} is not a number.\r\n  {2}";
        case Phrase::NumberZero:
            return "{1} is 0.\r\n  {2}";
        case Phrase::NumberTooLargeIn:
            return "'{1}' is not an integer.\r\n  {2}";
        case Phrase::NumberTooLargeInRow:
            return "'{1}' is not an integer.\r\n  {2} ({3})";
        case Phrase::RepeatWithStar:
            return "** \"*\" cannot be repeated.";
        case Phrase::FieldLeftAfterRight:
            return "** A field's left column is past its right column.";
        case Phrase::FieldNextMissing:
            return "** A field's next left column is missing.";
        case Phrase::FieldLastMissing:
            return "** A field's last left column is missing.";
        case Phrase::FieldNextAfterLast:
            return "** A field's next left column is past its last left column.";
        case Phrase::FieldNextNotAfterLeft:
            return "** A field's next left column is not past its left column.";
        case Phrase::SourceMissing:
            return "** No source file is given.";
        case Phrase::OutputMissing:
            return "** No output file is given.";
        case Phrase::OutputAtWithoutSourceAt:
            return "** The output file cannot hold \"@\" when the source file does not.";
        case Phrase::OutputIsASeriesSource:
            return "** The output file is one of the source files of the series.";
        case Phrase::FieldModeUnchosen:
            return "** Choose which fields to write.";
        case Phrase::CountReversed:
            return "** A count range ends before it begins.";
        case Phrase::CountMissing:
            return "** No count range is given.";
        case Phrase::KeyMissing:
            return "** No key columns are given.";
        case Phrase::KeyZeroLength:
            return "** The key columns hold an empty item.";
        case Phrase::KeyReversed:
            return "** Key columns end before they begin.";
        case Phrase::KeyTooMany:
            return "** At most 10 key column ranges can be given.";
        case Phrase::CodeNotCp932:
            return "** A code holds a character that Shift-JIS cannot write.";
        case Phrase::CodeFromMissing:
            return "** A code range has no first code.";
        case Phrase::CodeReversed:
            return "** A code range ends before it begins.";
        case Phrase::CodeMissing:
            return "** No code range is given.";
        case Phrase::SelectModeUnchosen:
            return "** Choose which records to extract.";
    }
    return {};
}

}  // namespace rivex

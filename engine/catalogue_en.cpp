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
        case Phrase::RunFinished:
            return "** Finished. Press \"Close\".";
        case Phrase::StoppedBySignal:
            return "** Stopped by signal {1}.";
    }
    return {};
}

}  // namespace rivex

// What the RunLog records of a run, as values: the windows and rivex-batch word them in the
// user's language.
#pragma once

#include <cstdint>
#include <string>

namespace rivex {

struct RunLogEntry {
    enum class Kind : std::uint8_t {
        SeriesStep,   // a file of a series begins: `text` is what "@" stands for
        SourceName,   // `text`
        OutputName,   // `text`
        SourceCount,  // `count` records read from the source
        OutputCount,  // `count` records written
        Unconverted,  // `count` characters of the output file that did not convert
    };
    Kind kind;
    std::string text = {};
    std::int64_t count = 0;
};

}  // namespace rivex

// Fuzzes the writing of values: the first byte picks the format, trimming, the code pages and
// where a long value's pieces are cut; the second the field layout. A record's values written
// from memory must equal the same values streamed in pieces, as a record too long to hold is
// written, with the same count of characters that did not convert.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/column_writer.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t choice = data[0];
    const std::uint8_t fields = data[1];
    const std::string record(reinterpret_cast<const char*>(data) + 2, size - 2);

    rivex::Conditions c;
    c.Output.Format = static_cast<rivex::OutputFormat>(choice % 3);
    c.Output.Trim = (choice & 4) != 0;
    c.Output.Encoding = static_cast<rivex::OutputEncoding>((choice >> 3) % 4);
    c.DataCodePage = (choice & 32) != 0 ? rivex::CodePage::Utf8 : rivex::CodePage::Cp932;
    c.FieldMode = rivex::FieldModes::ListedFields;
    const std::int64_t left = fields % 7 + 1;
    const std::int64_t width = fields / 7 % 5 + 1;
    c.FieldItems = {{left, left + width - 1, width, width + 1, left + 2 * (width + 1)},
                    {1, 3, 3, 0, 0}};
    const std::size_t cut = choice >> 6;  // bytes in each piece but the last, less one

    rivex::ColumnWriter inMemory(c);
    rivex::ColumnWriter streamed(c);
    const rivex::OutputLayout layout(c.FieldItems);
    std::string expected;
    std::string got;
    {
        rivex::RecordWriter out(expected);
        inMemory.Record(record, &layout, out);
        out.Flush();
    }
    {
        rivex::RecordWriter out(got);
        streamed.BeginRecord();
        layout.ForEachColumn(record.size(), [&](std::uint64_t at, std::uint64_t bytes) {
            const std::string value = bytes == 0 ? std::string() : record.substr(at, bytes);
            const auto pieces = [&](const auto& take) {
                for (std::size_t from = 0; from < value.size(); from += cut + 1) {
                    take(std::string_view(value).substr(from, cut + 1));
                }
            };
            const bool inside =
                bytes > 0 && rivex::StartsInsideCharacter(record, at, c.DataCodePage);
            streamed.LongValue(pieces, bytes, inside, out);
        });
        out.Flush();
    }
    Require(got == expected);
    Require(streamed.TakeUnconverted() == inMemory.TakeUnconverted());
    return 0;
}

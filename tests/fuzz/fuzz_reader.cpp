// Fuzzes the record reader: the first byte picks the line rule, the block size, whether
// records are taken in runs too, and whether long records are held only in part; the records
// and their count must equal those of a plain reading.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/byte_source.h"
#include "engine/record_reader.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

// The rules read plainly: a 0x1A ends the data; under Cr a record ends at CR and an LF right
// after that CR belongs to it; under Lf a record ends at LF and a CR right before it belongs
// to it.
std::vector<std::string> PlainRecords(std::string bytes, rivex::LineRule rule) {
    bytes = bytes.substr(0, bytes.find('\x1A'));
    const char ending = rule == rivex::LineRule::Cr ? '\r' : '\n';
    std::vector<std::string> records;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t at = bytes.find(ending, pos);
        if (at == std::string::npos) {
            records.push_back(bytes.substr(pos));
            break;
        }
        std::string record = bytes.substr(pos, at - pos);
        if (rule == rivex::LineRule::Lf && record.ends_with('\r')) record.pop_back();
        records.push_back(std::move(record));
        pos = at + 1;
        if (rule == rivex::LineRule::Cr && pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rivex;
    if (size == 0) return 0;
    const std::size_t blockSize = 1 + (data[0] & 15);
    const LineRule rule = (data[0] & 16) != 0 ? LineRule::Lf : LineRule::Cr;
    const std::string_view lineEnd = (data[0] & 128) != 0 ? "\n" : "\r\n";
    const bool runs = (data[0] & 32) != 0;
    const bool inPart = (data[0] & 64) != 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    MemorySource source(bytes);
    RecordReader reader(source, rule, blockSize);
    if (inPart) reader.SetKeep(blockSize + 3);
    std::vector<std::string> records;
    while (!reader.AtEnd()) {
        if (runs) {
            const RecordReader::Run run = reader.NextRun(3, lineEnd);
            if (run.records > 0) {
                // A run is its records, each with the line end asked for.
                std::size_t pos = 0;
                for (std::int64_t i = 0; i < run.records; ++i) {
                    const std::size_t end = run.bytes.find(lineEnd, pos);
                    Require(end != std::string_view::npos);
                    records.emplace_back(run.bytes.substr(pos, end - pos));
                    pos = end + lineEnd.size();
                }
                Require(pos == run.bytes.size());
                continue;
            }
        }
        std::string record(reader.Next());
        if (reader.Partial()) {
            Require(inPart);
            const std::uint64_t length = reader.Rest([&](std::string_view p) { record += p; });
            Require(length == record.size());
        }
        records.push_back(std::move(record));
    }
    Require(records == PlainRecords(bytes, rule));
    Require(reader.BytesConsumed() <= bytes.size());
    return 0;
}

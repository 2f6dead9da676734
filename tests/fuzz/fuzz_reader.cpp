// Fuzzes the record reader: the first byte picks the block size, whether records are taken
// in runs too, and whether long records are held only in part; the records and their count
// must equal those of a plain reading.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/byte_source.h"
#include "engine/record_reader.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

// The rules read plainly: a 0x1A ends the data, a record ends at CR, an LF right after that
// CR belongs to it.
std::vector<std::string> PlainRecords(std::string bytes) {
    bytes = bytes.substr(0, bytes.find('\x1A'));
    std::vector<std::string> records;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t cr = bytes.find('\r', pos);
        if (cr == std::string::npos) {
            records.push_back(bytes.substr(pos));
            break;
        }
        records.push_back(bytes.substr(pos, cr - pos));
        pos = cr + 1;
        if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rivex;
    if (size == 0) return 0;
    const std::size_t blockSize = 1 + (data[0] & 31);
    const bool runs = (data[0] & 32) != 0;
    const bool inPart = (data[0] & 64) != 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    MemorySource source(bytes);
    RecordReader reader(source, blockSize);
    if (inPart) reader.SetKeep(blockSize + (data[0] >> 7) * 3);
    std::vector<std::string> records;
    while (!reader.AtEnd()) {
        if (runs) {
            const RecordReader::Run run = reader.NextRun(3);
            if (run.records > 0) {
                // A run is its records, each with CR LF.
                std::size_t pos = 0;
                for (std::int64_t i = 0; i < run.records; ++i) {
                    const std::size_t end = run.bytes.find("\r\n", pos);
                    Require(end != std::string_view::npos);
                    records.emplace_back(run.bytes.substr(pos, end - pos));
                    pos = end + 2;
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
    Require(records == PlainRecords(bytes));
    Require(reader.BytesConsumed() <= bytes.size());
    return 0;
}

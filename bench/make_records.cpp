// Writes the benchmark's source file: RECORDS records of 100 bytes with CR LF. Columns 4-5 hold
// a two-digit key that rises through the file (10 to 99), columns 7-9 a three-digit key,
// columns 10-17 Shift-JIS text, digits elsewhere.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_records RECORDS FILE\n");
        return 64;
    }
    const long records = std::atol(argv[1]);
    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr) return 1;
    const char* const text[] = {"\x93\x9D\x8C\x76\x95\x5C\x8E\xA6",   // 統計表示
                                "\x8E\x73\x92\xAC\x91\xBA\x95\xCA"};  // 市町村別
    std::string record(100, '0');
    for (long i = 0; i < records; ++i) {
        const long key = 10 + i * 90 / records;
        std::snprintf(record.data(), 10, "%03ld%02ld%ld%03ld", i % 1000, key, i % 10,
                      (i * 7) % 1000);
        record.replace(9, 8, text[i % 2]);
        std::snprintf(record.data() + 17, 82, "%081ld", i * 7919);
        record[98] = '\r';
        record[99] = '\n';
        std::fwrite(record.data(), 1, record.size(), out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}

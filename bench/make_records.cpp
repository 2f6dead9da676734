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
    for (long i = 0; i < records; ++i) {
        const int key = static_cast<int>(10 + i * 90 / records);
        char head[32];
        std::snprintf(head, sizeof head, "%03d%02d%d%03d", static_cast<int>(i % 1000), key,
                      static_cast<int>(i % 10), static_cast<int>(i * 7 % 1000));
        char tail[96];
        std::snprintf(tail, sizeof tail, "%081ld\r\n", i * 7919 % 1000000000000L);
        const std::string record = std::string(head) + text[i % 2] + tail;
        std::fwrite(record.data(), 1, record.size(), out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}

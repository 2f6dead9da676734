// The compiled ranges against the rows read one by one in list order, as the record loop
// once did: every record number or key in a small space, every state of the live controls.
#include "engine/record_selection.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace rivex {
namespace {

using namespace std::string_literals;

struct CountCase {
    const char* name;
    std::vector<CountRange> rows;
};

void PrintTo(const CountCase& c, std::ostream* os) {
    *os << c.name;
}

class CountSelectionTest : public ::testing::TestWithParam<CountCase> {};

constexpr std::int64_t kOpen = CountRange::kEndOfFile;

TEST_P(CountSelectionTest, AsTheRowsOneByOne) {
    Conditions c;
    c.SelectMode = SelectModes::ByCount;
    c.CountRanges = GetParam().rows;
    RecordSelection selection(c);
    std::int64_t stop = 0;
    for (const CountRange& row : c.CountRanges) stop = std::max(stop, row.Last);
    const auto plain = [&c](std::int64_t count) {
        return std::ranges::any_of(c.CountRanges, [count](const CountRange& r) {
            return r.First <= count && count <= r.Last;
        });
    };
    for (std::int64_t count = 1; count <= 40; ++count) {
        EXPECT_EQ(selection.Selected(count, {}), plain(count)) << "record " << count;
        EXPECT_EQ(selection.Done(), stop < count) << "record " << count;
        if (selection.Done()) break;
        // The records said to be passed over are none that a row holds, and the next is.
        const std::int64_t ahead = selection.UnselectedAfter(count);
        for (std::int64_t k = 1; k <= ahead; ++k) EXPECT_FALSE(plain(count + k)) << count + k;
        if (ahead > 0) {
            EXPECT_TRUE(plain(count + ahead + 1)) << "record " << count;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CountSelectionTest,
    ::testing::Values(CountCase{"Overlapping", {{5, 9}, {7, 12}, {3, 6}}},
                      CountCase{"RowInsideAnother", {{2, 20}, {5, 6}, {25, 27}}},
                      CountCase{"Touching", {{4, 6}, {7, 7}, {1, 3}}},
                      CountCase{"OpenEndBeforeOthers", {{30, kOpen}, {3, 4}, {31, 33}}},
                      CountCase{"UnsortedStopAtTheLargestEnd", {{20, 22}, {1, 2}, {10, 11}}},
                      CountCase{"OneRecord", {{8, 8}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct CodeCase {
    const char* name;
    std::vector<TCodeRcd> rows;
};

void PrintTo(const CodeCase& c, std::ostream* os) {
    *os << c.name;
}

class CodeSelectionTest : public ::testing::TestWithParam<CodeCase> {};

// Every key of up to three bytes from an alphabet with the lowest and the highest byte.
std::vector<std::string> Keys() {
    const std::string alphabet = {'\0', '1', '2', '3', '\xFF'};
    std::vector<std::string> keys = {""};
    for (std::size_t from = 0; keys.back().size() < 3;) {
        const std::size_t to = keys.size();
        for (; from < to; ++from) {
            for (const char byte : alphabet) keys.push_back(keys[from] + byte);
        }
    }
    return keys;
}

// Enough rows for a key to be looked up among those of its first two bytes: every other key
// of three bytes on its own, and rows across first and second bytes.
std::vector<TCodeRcd> ManyRows() {
    std::vector<TCodeRcd> rows = {{"1\xFF", "2\x01"}, {"3", "3\0\xFF"s}, {"\xFF\0"s, "\xFF\xFF"}};
    const std::vector<std::string> keys = Keys();
    for (std::size_t i = 0; i < keys.size(); i += 2) {
        if (keys[i].size() == 3) rows.push_back({keys[i], keys[i]});
    }
    return rows;
}

TEST_P(CodeSelectionTest, AsTheRowsOneByOne) {
    Conditions c;
    c.SelectMode = SelectModes::ByCode;
    c.KeySegments = {{1, 12, 12}};
    c.CodeRecords = GetParam().rows;
    std::string stop;
    for (const TCodeRcd& row : c.CodeRecords) stop = std::max(stop, row.ToCode);
    for (const bool exclusion : {false, true}) {
        for (const bool grouped : {false, true}) {
            for (const std::string& key : Keys()) {
                RecordSelection selection(c);
                selection.Update(exclusion, grouped);
                const bool in = std::ranges::any_of(c.CodeRecords, [&key](const TCodeRcd& r) {
                    return r.FromCode <= key && key <= r.ToCode;
                });
                EXPECT_EQ(selection.Selected(1, key), in != exclusion)
                    << "key " << testing::PrintToString(key) << " exclusion " << exclusion;
                EXPECT_EQ(selection.Done(), !exclusion && grouped && stop < key)
                    << "key " << testing::PrintToString(key);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CodeSelectionTest,
    ::testing::Values(
        CodeCase{"Overlapping", {{"2", "31"}, {"12", "22"}, {"3\xFF", "3\xFF\xFF"}}},
        CodeCase{"RowInsideAnother", {{"1", "3"}, {"2", "21"}, {"\xFF", "\xFF"}}},
        CodeCase{"PrefixBounds", {{"2", "2"}, {"2\0"s, "2\0\0"s}, {"", ""}}},
        CodeCase{"UnsortedStopAtTheLargestEnd", {{"3", "3"}, {"1", "12"}, {"22", "23"}}},
        CodeCase{"BoundsLongerThanAWord", {{"1", "2000000000"}, {"13", "2"}, {"3\0"s, "3\xFF"}}},
        CodeCase{"AcrossFirstBytes", {{"12", "3"}, {"\0"s, "1"}, {"3\xFF", "\xFF"}}},
        CodeCase{"ManyRows", ManyRows()},
        CodeCase{"LongBoundsOnly", {{"222222222", "2222222222"}, {"1111111111", "22"}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rivex

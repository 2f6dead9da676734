// The JSON of a conditions file as read, before its members are made sense of: refused as
// soon as it goes deeper than the format or names a key twice in one object.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "engine/catalogue.h"

namespace rivex {

// What is wrong with a conditions file.
struct ConditionsUnreadable {
    Message message;
};

// A grid's rows, each an array of texts.
using TextRows = std::vector<std::vector<std::string>>;

struct ConditionsJson {
    nlohmann::json members;
    // The grids whose every row is an array of texts, by key, each left out of `members`: a
    // value of its own for every cell would cost a file of 10,000 rows more than the run.
    std::map<std::string, TextRows, std::less<>> grids;
};

// The JSON of `text`, the members named in `gridKeys` kept as TextRows where they have that
// form. Throws ConditionsUnreadable, and nlohmann::json::exception for text that is no JSON.
ConditionsJson ParseConditionsJson(std::string_view text,
                                   const std::vector<std::string_view>& gridKeys);

}  // namespace rivex

#include "engine/conditions_json.h"

#include <algorithm>
#include <utility>

namespace rivex {
namespace {

using Json = nlohmann::json;

// Depth of the deepest value: a cell, in a row, in a grid, in the file's object.
constexpr std::size_t kMostDepth = 3;

// Builds the value from the parser's events, as the library's own builder does, but keeps a
// grid's rows as texts while they are texts; at the first value of another form the rows so
// far become JSON values and the grid goes on as one.
class Reader {
  public:
    explicit Reader(const std::vector<std::string_view>& gridKeys) : gridKeys_(gridKeys) {}

    bool null() { return Put(nullptr); }
    bool boolean(bool value) { return Put(value); }
    bool number_integer(Json::number_integer_t value) { return Put(value); }
    bool number_unsigned(Json::number_unsigned_t value) { return Put(value); }
    bool number_float(Json::number_float_t value, const std::string&) { return Put(value); }
    bool binary(Json::binary_t& value) { return Put(std::move(value)); }

    bool string(std::string& value) {
        if (inRow_) {
            grid_->back().push_back(std::move(value));
            return true;
        }
        return Put(std::move(value));
    }

    bool start_object(std::size_t) {
        Put(Json::object());
        return true;
    }

    bool key(std::string& key) {
        Refuse();
        const Json& object = *open_.back();
        if (object.contains(key) || (open_.size() == 1 && read_.grids.contains(key))) {
            throw ConditionsUnreadable{{Phrase::ConditionsKeyTwice, {key}}};
        }
        key_ = std::move(key);
        return true;
    }

    bool start_array(std::size_t) {
        if (grid_ != nullptr && !inRow_) {
            grid_->emplace_back();
            inRow_ = true;
            return true;
        }
        if (grid_ == nullptr && open_.size() == 1 && open_.back()->is_object() &&
            std::ranges::find(gridKeys_, key_) != gridKeys_.end()) {
            grid_ = &read_.grids[key_];
            return true;
        }
        Put(Json::array());
        return true;
    }

    bool end_object() {
        open_.pop_back();
        return true;
    }

    bool end_array() {
        if (inRow_) {
            inRow_ = false;
        } else if (grid_ != nullptr) {
            grid_ = nullptr;
        } else {
            open_.pop_back();
        }
        return true;
    }

    template <typename Exception>
    bool parse_error(std::size_t, const std::string&, const Exception& error) {
        throw error;
    }

    ConditionsJson Result() && { return std::move(read_); }

  private:
    std::size_t Depth() const {
        return open_.size() + (grid_ != nullptr ? 1 : 0) + (inRow_ ? 1 : 0);
    }

    void Refuse() const {
        if (Depth() > kMostDepth) throw ConditionsUnreadable{{Phrase::ConditionsTooDeep}};
    }

    // `value` in its place: the whole, an array's next element or the object's member under
    // the last key. A container stays open until its end.
    bool Put(Json value) {
        Refuse();
        if (grid_ != nullptr) AsJson();
        Json* placed = &read_.members;
        if (!open_.empty() && open_.back()->is_array()) {
            placed = &open_.back()->emplace_back(std::move(value));
        } else {
            if (!open_.empty()) placed = &(*open_.back())[key_];
            *placed = std::move(value);
        }
        if (placed->is_structured()) open_.push_back(placed);
        return true;
    }

    // The grid being read from here on as a JSON value, its rows so far and the open row in it.
    void AsJson() {
        const auto kept = read_.grids.find(key_);
        Json& grid = (*open_.back())[key_] = Json::array();
        for (std::vector<std::string>& row : kept->second) grid.emplace_back(std::move(row));
        read_.grids.erase(kept);
        grid_ = nullptr;
        open_.push_back(&grid);
        if (inRow_) open_.push_back(&grid.back());
        inRow_ = false;
    }

    const std::vector<std::string_view>& gridKeys_;
    ConditionsJson read_;
    std::vector<Json*> open_;   // the containers not yet ended, outermost first
    std::string key_;           // the last key read
    TextRows* grid_ = nullptr;  // the grid kept as texts being read
    bool inRow_ = false;        // within one of its rows
};

}  // namespace

ConditionsJson ParseConditionsJson(std::string_view text,
                                   const std::vector<std::string_view>& gridKeys) {
    Reader reader(gridKeys);
    Json::sax_parse(text, &reader);
    return std::move(reader).Result();
}

}  // namespace rivex

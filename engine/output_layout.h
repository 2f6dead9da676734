// The byte spans an output line is cut from: every listed field and every repetition of one,
// in order, worked out once per pass so that the record loop only copies.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "engine/conditions.h"
#include "engine/record_writer.h"

namespace rivex {

class OutputLayout {
  public:
    // `items` with every "*" resolved.
    explicit OutputLayout(const std::vector<FieldItem>& items);

    // Appends the fields of `record`, joined, without its line end.
    void Write(std::string_view record, RecordWriter& writer) const;

  private:
    struct Span {
        std::size_t start;  // from 0
        std::size_t width;  // at least 1
    };
    std::vector<Span> spans_;
    std::size_t reach_ = 0;       // a record at least this long holds every span whole
    std::size_t lineLength_ = 0;  // bytes of such a record's output line
};

}  // namespace rivex

// A window of a regular file mapped read-only, followed by kScanSlack readable bytes. A file
// cut short under the mapping would raise SIGBUS at the first touch past its new end: the
// handler puts a page of zeros there instead and marks the window lost, so that its owner
// can tell what it read is not the file's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rivex {

class MappedWindow {
  public:
    MappedWindow() = default;
    ~MappedWindow() { Unmap(); }
    MappedWindow(const MappedWindow&) = delete;
    MappedWindow& operator=(const MappedWindow&) = delete;

    // `length` bytes of `fd` from byte `offset` on, all within the file, in place of the
    // window before. Empty when the system maps nothing.
    std::string_view Map(int fd, std::uint64_t offset, std::size_t length);
    void Unmap();

    // Whether a touch of the window found the file shorter than when it was mapped.
    bool Lost() const;

  private:
    char* region_ = nullptr;  // the file's pages, then anonymous ones
    std::size_t regionSize_ = 0;
    int slot_ = -1;  // in the table the SIGBUS handler looks at
};

}  // namespace rivex

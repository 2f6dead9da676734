// A scratch file with no name, for bytes that passed by once and are needed again: gone with
// its descriptor, so memory stays flat whatever it holds.
#pragma once

#include <string>
#include <string_view>

namespace rivex {

class Spool {
  public:
    // In $TMPDIR, or /tmp. Throws PlatformError.
    Spool();
    ~Spool();
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;

    // Empties it; what is appended next starts at offset 0.
    void Clear();
    void Append(std::string_view bytes);
    int fd() const { return fd_; }

  private:
    int fd_;
    std::string folder_;
};

}  // namespace rivex

// Failures of the platform (files, integer conversion, printer, clipboard) travel as one
// exception type that holds the message the user sees.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace rivex {

class PlatformError : public std::exception {
  public:
    explicit PlatformError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& message() const { return message_; }

  private:
    std::string message_;
};

// The message for a failed file operation on `path`, from its errno.
PlatformError FileError(int err, std::string_view path);

// The text of the error box: a "." is appended when the last byte sorts after ".",
// so a message ending in a letter, digit or double-byte character gets one, and one
// ending in ")" or "." does not.
std::string ErrorBoxText(std::string_view message);

// The message of whatever exception left a handler, for the error box.
std::string CurrentExceptionMessage();

}  // namespace rivex

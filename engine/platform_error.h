// Failures of the platform (files, integer conversion, printer, clipboard) travel as one
// exception type that holds what the user is told, worded where it is shown.
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "engine/catalogue.h"

namespace rivex {

class PlatformError : public std::exception {
  public:
    // `file`: the name of the file it is about, as typed or composed; empty for none.
    // `cause`: what went wrong in words, where the message gives only a number.
    explicit PlatformError(Message message, std::string file = {},
                           std::optional<Message> cause = {});
    const char* what() const noexcept override { return japanese_.c_str(); }
    // The message in Japanese, as the error box has always shown it.
    const std::string& message() const { return japanese_; }
    const Message& told() const { return message_; }
    const std::string& file() const { return file_; }
    const std::optional<Message>& cause() const { return cause_; }

  private:
    Message message_;
    std::string file_;
    std::optional<Message> cause_;
    std::string japanese_;
};

// The message for a failed file operation on `path`, from its errno.
PlatformError FileError(int err, std::string_view path);

// The error for a source that changed while it was read.
PlatformError SourceChanged(std::string_view path);

// The text of the error box: a "." is appended when the last byte sorts after ".",
// so a message ending in a letter, digit or double-byte character gets one, and one
// ending in ")" or "." does not.
std::string ErrorBoxText(std::string_view message);

// The text of the error box for `error`: its message with the full-stop rule, then the cause
// in words and the name of the file it is about, each on a line of its own when there is one.
std::string ErrorText(const PlatformError& error, Language language = Language::Japanese);

// The text of the error box for whatever exception left a handler: its message with the
// full-stop rule, then the cause in words and the name of the file it is about, each on a
// line of its own when there is one.
std::string CurrentErrorText(Language language = Language::Japanese);

}  // namespace rivex

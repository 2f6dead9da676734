#include "engine/platform_error.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "engine/text_format.h"

namespace rivex {
namespace {

// ENOENT means the file itself is missing only when its folder exists.
bool FolderOfPathExists(std::string_view path) {
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos) return true;
    const std::string folder = slash == 0 ? "/" : std::string(path.substr(0, slash));
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Message FileErrorMessage(int err, std::string_view path) {
    switch (err) {
        case ENOENT:
            return {FolderOfPathExists(path) ? Phrase::FileNotFound : Phrase::BadFileName};
        case ENOTDIR:
            return {Phrase::BadFileName};
        case EMFILE:
        case ENFILE:
            return {Phrase::TooManyOpenFiles};
        case EACCES:
        case EPERM:
        case EROFS:
            return {Phrase::AccessDenied};
        default:
            return {Phrase::IoError, {std::to_string(err)}};
    }
}

// What an error that the message shows only as a number means.
Message CauseOf(int err) {
    switch (err) {
        case EISDIR:
            return {Phrase::CauseFolder};
        case ENOSPC:
            return {Phrase::CauseDiskFull};
        case EDQUOT:
            return {Phrase::CauseQuota};
        case EFBIG:
            return {Phrase::CauseFileTooLarge};
        case EIO:
            return {Phrase::CauseDevice};
        case ELOOP:
            return {Phrase::CauseLinkLoop};
        case ENAMETOOLONG:
            return {Phrase::CauseNameTooLong};
        case EPIPE:
            return {Phrase::CauseNoReader};
        case EINTR:
            return {Phrase::CauseSignal};
        case ETXTBSY:
            return {Phrase::CauseBusy};
        case ENXIO:
        case ENODEV:
            return {Phrase::CauseNoDevice};
        default:
            return {Phrase::SystemText, {std::strerror(err)}};
    }
}

}  // namespace

PlatformError::PlatformError(Message message, std::string file, std::optional<Message> cause)
    : message_(std::move(message)),
      file_(std::move(file)),
      cause_(std::move(cause)),
      japanese_(Say(Language::Japanese, message_)) {}

PlatformError FileError(int err, std::string_view path) {
    Message message = FileErrorMessage(err, path);
    std::optional<Message> cause;
    if (message.phrase == Phrase::IoError) cause = CauseOf(err);
    return PlatformError(std::move(message), std::string(path), std::move(cause));
}

PlatformError SourceChanged(std::string_view path) {
    return PlatformError({Phrase::SourceChanged}, std::string(path));
}

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

// The program's own messages ("** ") are shown as they are, without the error box's stop.
std::string ErrorText(const PlatformError& e, Language language) {
    const std::string message = Say(language, e.told());
    std::string text = message.starts_with("** ") ? message : ErrorBoxText(message);
    if (e.cause()) text.append("\n").append(Say(language, *e.cause()));
    if (!e.file().empty()) text.append("\n").append(VisibleText(e.file()));
    return text;
}

std::string CurrentErrorText(Language language) {
    try {
        throw;
    } catch (const PlatformError& e) {
        return ErrorText(e, language);
    } catch (const std::bad_alloc&) {
        return ErrorBoxText(Say(language, Phrase::OutOfMemory));
    } catch (const std::exception& e) {
        return ErrorBoxText(e.what());
    }
}

}  // namespace rivex

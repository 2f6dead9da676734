#include "engine/platform_error.h"

#include <sys/stat.h>

#include <cerrno>
#include <new>

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

}  // namespace

PlatformError FileError(int err, std::string_view path) {
    switch (err) {
        case ENOENT:
            return PlatformError(FolderOfPathExists(path) ? "ファイルが見つかりません"
                                                          : "不正なファイル名です");
        case ENOTDIR:
            return PlatformError("不正なファイル名です");
        case EMFILE:
        case ENFILE:
            return PlatformError("オープンしたファイルが多すぎます");
        case EACCES:
        case EPERM:
        case EROFS:
            return PlatformError("ファイルへのアクセスが拒否されました");
        default:
            return PlatformError("I/O エラー (" + std::to_string(err) + ")");
    }
}

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

std::string CurrentExceptionMessage() {
    try {
        throw;
    } catch (const PlatformError& e) {
        return e.message();
    } catch (const std::bad_alloc&) {
        return "メモリが足りません";
    } catch (const std::exception& e) {
        return e.what();
    }
}

}  // namespace rivex

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

std::string FileErrorMessage(int err, std::string_view path) {
    switch (err) {
        case ENOENT:
            return FolderOfPathExists(path) ? "ファイルが見つかりません" : "不正なファイル名です";
        case ENOTDIR:
            return "不正なファイル名です";
        case EMFILE:
        case ENFILE:
            return "オープンしたファイルが多すぎます";
        case EACCES:
        case EPERM:
        case EROFS:
            return "ファイルへのアクセスが拒否されました";
        default:
            return "I/O エラー (" + std::to_string(err) + ")";
    }
}

// What an error that the message shows only as a number means.
std::string CauseOf(int err) {
    switch (err) {
        case EISDIR:
            return "フォルダです";
        case ENOSPC:
            return "ディスクに空きがありません";
        case EDQUOT:
            return "ディスクの使用量の上限を超えました";
        case EFBIG:
            return "ファイルが大きすぎます";
        case EIO:
            return "装置の読み書きに失敗しました";
        case ELOOP:
            return "シンボリックリンクが循環しています";
        case ENAMETOOLONG:
            return "名前が長すぎます";
        case EPIPE:
            return "読み手がいません";
        case EINTR:
            return "シグナルで中断されました";
        case ETXTBSY:
            return "実行中のファイルです";
        case ENXIO:
        case ENODEV:
            return "装置がありません";
        default:
            return std::strerror(err);
    }
}

}  // namespace

PlatformError FileError(int err, std::string_view path) {
    std::string message = FileErrorMessage(err, path);
    std::string cause = message.starts_with("I/O エラー") ? CauseOf(err) : std::string();
    return PlatformError(std::move(message), std::string(path), std::move(cause));
}

PlatformError SourceChanged(std::string_view path) {
    return PlatformError("元ファイルが読み込み中に変更されました", std::string(path));
}

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

// The program's own messages ("** ") are shown as they are, without the error box's stop.
std::string ErrorText(const PlatformError& e) {
    std::string text = e.message().starts_with("** ") ? e.message() : ErrorBoxText(e.message());
    if (!e.cause().empty()) text.append("\n").append(e.cause());
    if (!e.file().empty()) text.append("\n").append(VisibleText(e.file()));
    return text;
}

std::string CurrentErrorText() {
    try {
        throw;
    } catch (const PlatformError& e) {
        return ErrorText(e);
    } catch (const std::bad_alloc&) {
        return ErrorBoxText("メモリが足りません");
    } catch (const std::exception& e) {
        return ErrorBoxText(e.what());
    }
}

}  // namespace rivex

#include "ui/missing_translations.h"

#include <string_view>

namespace rivex::ui {
namespace {

struct Missing {
    std::string_view context;
    std::string_view sourceText;
    const char* japanese;
};

// Found by looking at the dialogs with the Japanese translation loaded; the words are those
// its neighbours use ("新しいフォルダ").
constexpr Missing kMissing[] = {
    // The print dialog's choice of a page range.
    {"QPrintSettingsOutput", "Pages", "ページ指定"},
    // The file dialog's type column.
    {"QAbstractFileIconProvider", "Folder", "フォルダ"},
    {"QAbstractFileIconProvider", "Drive", "ドライブ"},
};

}  // namespace

QString MissingTranslations::translate(const char* context, const char* sourceText, const char*,
                                       int) const {
    for (const Missing& missing : kMissing) {
        if (missing.context == context && missing.sourceText == sourceText) {
            return QString::fromUtf8(missing.japanese);
        }
    }
    return {};
}

}  // namespace rivex::ui

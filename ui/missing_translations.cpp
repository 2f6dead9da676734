#include "ui/missing_translations.h"

#include <string_view>

namespace rivex::ui {

// The print dialog's choice of a page range.
QString MissingTranslations::translate(const char* context, const char* sourceText, const char*,
                                       int) const {
    if (std::string_view(context) == "QPrintSettingsOutput" &&
        std::string_view(sourceText) == "Pages") {
        return QString::fromUtf8("ページ指定");
    }
    return {};
}

}  // namespace rivex::ui

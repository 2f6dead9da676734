#include "ui/window_language.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/missing_translations.h"

namespace rivex::ui {
namespace {

Language chosen = Language::Japanese;

}  // namespace

Language WindowLanguage() {
    return chosen;
}

void SetUpWindowLanguage(Language language) {
    chosen = language;
    if (language == Language::English) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        static QTranslator windowTexts;
        if (windowTexts.load(":/i18n/rivex_en.qm")) QApplication::installTranslator(&windowTexts);
        return;
    }
    // Qt's own dialogs and buttons speak Japanese too, and write dates and numbers as Japanese
    // does, whatever the desktop's locale.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    static QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), "qtbase", "_",
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }
    static MissingTranslations missingTexts;
    QApplication::installTranslator(&missingTexts);
}

}  // namespace rivex::ui

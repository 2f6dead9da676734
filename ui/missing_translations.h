// Qt's own texts that its Japanese translation leaves in English.
#pragma once

#include <QTranslator>

namespace rivex::ui {

class MissingTranslations : public QTranslator {
  public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
    bool isEmpty() const override { return false; }
};

}  // namespace rivex::ui

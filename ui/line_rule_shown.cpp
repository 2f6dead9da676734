#include "ui/line_rule_shown.h"

#include <QCoreApplication>

namespace rivex::ui {

QString LineRuleShown(LineRule rule, bool automatic) {
    return QString(rule == LineRule::Cr ? "CR" : "LF") + (automatic ? AutomaticShown() : QString());
}

QString AutomaticShown() {
    return QCoreApplication::translate("rivex::ui::TForm6", "（自動判定）");
}

}  // namespace rivex::ui

// The system colours of the available and unavailable looks, taken from Qt's palette.
#pragma once

#include <QApplication>
#include <QColor>
#include <QPalette>

namespace rivex::ui {

// Background of an unavailable edit or grid: the inactive window frame.
inline QColor clInactiveBorder() {
    return QApplication::palette().color(QPalette::Disabled, QPalette::Window);
}
// Text of an unavailable grid.
inline QColor clGrayText() {
    return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
}
// Text of an unavailable group box: the inactive title bar.
inline QColor clInactiveCaption() {
    return QApplication::palette().color(QPalette::Inactive, QPalette::Mid);
}
inline QColor clWindow() {
    return QApplication::palette().color(QPalette::Active, QPalette::Base);
}
inline QColor clWindowText() {
    return QApplication::palette().color(QPalette::Active, QPalette::Text);
}

// The available look (window background, window text) or the unavailable one.
inline void SetOfferedLook(QWidget* widget, bool offered) {
    QPalette p = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, offered ? clWindow() : clInactiveBorder());
        p.setColor(group, QPalette::Text, offered ? clWindowText() : clGrayText());
    }
    widget->setPalette(p);
    widget->setEnabled(offered);
}

}  // namespace rivex::ui

// Controls placed at fixed client coordinates, named as the window's members.
#pragma once

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <initializer_list>

namespace rivex::ui {

template <typename Control>
Control* Place(Control* control, const char* name, int left, int top, int width = 0,
               int height = 0) {
    control->setObjectName(name);
    if (width > 0) {
        control->setGeometry(left, top, width, height);
    } else {
        control->move(left, top);
        control->adjustSize();
    }
    return control;
}

inline QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left,
                         int top) {
    return Place(new QLabel(text, parent), name, left, top);
}

inline QLineEdit* MakeEdit(QWidget* parent, const char* name, int left, int top, int width,
                           int height = 21) {
    return Place(new QLineEdit(parent), name, left, top, width, height);
}

inline QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int left,
                               int top, int width, int height) {
    return Place(new QPushButton(text, parent), name, left, top, width, height);
}

inline QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& text, int left,
                               int top) {
    return Place(new QRadioButton(text, parent), name, left, top);
}

inline QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& text, int left,
                               int top) {
    return Place(new QCheckBox(text, parent), name, left, top);
}

inline QComboBox* MakeCombo(QWidget* parent, const char* name, std::initializer_list<QString> items,
                            int left, int top, int width) {
    auto* combo = Place(new QComboBox(parent), name, left, top, width, 24);
    for (const QString& item : items) combo->addItem(item);
    return combo;
}

// The window type of a secondary window: a dialog to the window system, so that it is kept
// in front of the window that owns it (transient for it), though not modal.
inline constexpr Qt::WindowType kSecondaryWindow = Qt::Dialog;

// Moves the focus as the program does after a key or a run: the control shows its focus
// frame, as it would after the Tab key, so that the user sees where Space or Enter lands.
inline void MoveFocus(QWidget* widget) {
    widget->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    widget->setFocus(Qt::OtherFocusReason);
}

// A widget's own background colour, `role` Window or Base.
inline void SetColor(QWidget* widget, QPalette::ColorRole role, QColor color) {
    QPalette p = widget->palette();
    p.setColor(role, color);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

}  // namespace rivex::ui

// The program's message boxes: plain messages, the yes/no question and the error box.
#pragma once

#include <QString>
#include <string_view>

#include "engine/platform_error.h"
#include "ui/window_language.h"

class QWidget;

namespace rivex::ui {

// The text with an OK button, no icon, the application's title as caption, modal.
void MessageBox(QWidget* parent, std::string_view text);

// The default beep, then the message box.
void ShowMessage(QWidget* parent, std::string_view text);
void ShowMessage(QWidget* parent, const QString& text);

// The default beep comes from the caller; true for Yes.
bool AskYesNo(QWidget* parent, const QString& question);

// The error box of a platform error: stop icon, and its text (CurrentErrorText).
void ShowError(QWidget* parent, std::string_view text);

// Runs a handler body and shows any platform error that leaves it in the error box.
template <typename Body>
void Guarded(QWidget* parent, Body&& body) {
    try {
        body();
    } catch (...) {
        ShowError(parent, CurrentErrorText(WindowLanguage()));
    }
}

}  // namespace rivex::ui

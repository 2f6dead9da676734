// The language the windows speak, chosen once before any window is made.
#pragma once

#include "engine/catalogue.h"

namespace rivex::ui {

// Japanese until SetUpWindowLanguage chose otherwise.
Language WindowLanguage();

// Installs the translations of `language` into the application: for Japanese, Qt's own
// Japanese texts (file dialogs, buttons) and Japanese dates; for English, the windows' English
// texts. Call once, after the QApplication is made.
void SetUpWindowLanguage(Language language);

}  // namespace rivex::ui

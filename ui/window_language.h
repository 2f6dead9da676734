// The language the windows speak.
#pragma once

#include "engine/catalogue.h"

namespace rivex::ui {

// Japanese until every window text goes through the translations.
inline constexpr Language kWindowLanguage = Language::Japanese;

}  // namespace rivex::ui

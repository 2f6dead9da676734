// The line rule a pass reads by, as the progress window and the viewer show it.
#pragma once

#include <QString>

#include "engine/conditions.h"

namespace rivex::ui {

// "CR" or "LF", and "（自動判定）" after it when it was decided from the file.
QString LineRuleShown(LineRule rule, bool automatic);

// "（自動判定）" alone, while the file is not read yet.
QString AutomaticShown();

}  // namespace rivex::ui

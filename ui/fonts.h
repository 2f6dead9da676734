// The two Japanese Gothic faces the windows are drawn in, mapped to the installed fonts.
#pragma once

#include <QFont>

namespace rivex::ui {

enum class Face {
    Gothic,      // fixed-pitch Gothic: IPAGothic
    GothicProp,  // proportional Gothic: IPAPGothic
};

QFont JapaneseFont(Face face, int pixelSize, bool bold = false);

}  // namespace rivex::ui

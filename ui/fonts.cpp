#include "ui/fonts.h"

#include <QStringList>

namespace rivex::ui {

QFont JapaneseFont(Face face, int pixelSize, bool bold) {
    QFont font;
    // The first installed face of the list is used.
    font.setFamilies(face == Face::Gothic
                         ? QStringList{"IPAGothic", "IPAexGothic", "Noto Sans Mono CJK JP",
                                       "VL Gothic", "monospace"}
                         : QStringList{"IPAPGothic", "IPAexGothic", "Noto Sans CJK JP",
                                       "VL PGothic", "sans-serif"});
    font.setStyleHint(face == Face::Gothic ? QFont::TypeWriter : QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

}  // namespace rivex::ui

// Texts cross between the windows (QString) and the engine (UTF-8 bytes) here.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace rivex::ui {

inline QString FromBytes(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string ToBytes(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace rivex::ui

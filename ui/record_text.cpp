#include "ui/record_text.h"

#include <algorithm>

#include "ui/qt_text.h"

namespace rivex::ui {
namespace {

const QChar kControl(0x00B7);

}  // namespace

// UTF-8 is shown as it is; any other code page through a converter.
RecordText::RecordText(CodePage cp) : cp_(cp) {
    if (cp != CodePage::Utf8)
        converter_ = std::make_unique<Converter>("UTF-8", InfoOf(cp).iconvName);
}

RecordText::~RecordText() = default;

QString RecordText::Character(std::string_view bytes) {
    const auto first = static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 1 && (first < 0x20 || first == 0x7F)) return kControl;
    if (bytes.size() == 1 && first < 0x80) return QChar(first);
    if (cp_ == CodePage::Utf8) {
        if (bytes.size() == 1 && first >= 0x80) return "?";
        // U+FFFD written as such is a character of its own, as a run's stand-ins are.
        const QString text = FromBytes(bytes);
        const bool broken =
            text.contains(QChar::ReplacementCharacter) && bytes != StandIn(CodePage::Utf8);
        return broken ? "?" : text;
    }
    const auto converted = converter_->Convert(bytes);
    return converted && !converted->empty() ? FromBytes(*converted) : "?";
}

// Most records convert whole; one with a control byte or a byte that is no character goes
// character by character.
QString RecordText::Record(std::string_view bytes) {
    const bool plain = std::ranges::none_of(
        bytes, [](char b) { return static_cast<unsigned char>(b) < 0x20 || b == 0x7F; });
    if (plain && converter_) {
        if (const auto converted = converter_->Convert(bytes)) return FromBytes(*converted);
    }
    if (plain && cp_ == CodePage::Utf8) {
        if (QString text = FromBytes(bytes); !text.contains(QChar::ReplacementCharacter)) {
            return text;
        }
    }
    QString text;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = CharLength(bytes, i, cp_);
        text += Character(bytes.substr(i, length));
        i += length;
    }
    return text;
}

}  // namespace rivex::ui

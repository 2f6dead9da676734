#include "ui/record_text.h"

#include "ui/qt_text.h"

namespace rivex::ui {
namespace {

const QChar kControl(0x00B7);

}  // namespace

RecordText::RecordText(CodePage cp) : cp_(cp) {
    if (cp == CodePage::Cp932) cp932_ = std::make_unique<Converter>("UTF-8", "CP932");
}

RecordText::~RecordText() = default;

QString RecordText::Character(std::string_view bytes) {
    const auto first = static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 1 && (first < 0x20 || first == 0x7F)) return kControl;
    if (cp_ == CodePage::Utf8) {
        if (bytes.size() == 1 && first >= 0x80) return "?";
        const QString text = FromBytes(bytes);
        return text.contains(QChar::ReplacementCharacter) ? "?" : text;
    }
    const auto converted = cp932_->Convert(bytes);
    return converted && !converted->empty() ? FromBytes(*converted) : "?";
}

QString RecordText::Record(std::string_view bytes) {
    QString text;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = CharLength(bytes, i, cp_);
        text += Character(bytes.substr(i, length));
        i += length;
    }
    return text;
}

}  // namespace rivex::ui

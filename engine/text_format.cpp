#include "engine/text_format.h"

#include <cstdio>
#include <ctime>

namespace rivex {

std::string CountText(std::int64_t count) {
    if (count == 0) return {};
    const std::string digits = std::to_string(count);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

std::string VisibleText(std::string_view text) {
    std::string shown(text);
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return shown;
}

std::string Boxed(std::string_view text) {
    std::string boxed(1, ' ');
    boxed += text;
    return boxed;
}

std::string ClockText(TimeOfDay time) {
    char text[16];
    std::snprintf(text, sizeof text, " %02d:%02d:%02d", time.hour, time.minute, time.second);
    return text;
}

TimeOfDay LocalTimeOfDay() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace rivex

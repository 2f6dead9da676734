// How counts and times are shown to the user.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/conditions.h"

namespace rivex {

struct TimeOfDay {
    int hour;
    int minute;
    int second;
};

// A count of at least 0 as digits grouped by three with commas; 0 gives the empty text.
std::string CountText(std::int64_t count);

// A text as the main window's boxes show it: one blank, then the text.
std::string Boxed(std::string_view text);

// A name as one line shows it: each control byte (a line feed among them) as "?".
std::string VisibleText(std::string_view text);

// " hh:mm:ss" on the 24-hour clock.
std::string ClockText(TimeOfDay time);

// The local time of day now.
TimeOfDay LocalTimeOfDay();

}  // namespace rivex

// The current date and time as text, in a named form or after a date pattern.
#pragma once

#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace scrivlog {

// The local time now, formatted by `format` (see AppendFormattedTime).
std::string FormatCurrentTime(std::string_view format = {});

// Appends `time` formatted by `format` to `out`. The format is compared without case:
//   empty or "ISO8601"   2011-03-14 09:26:53,589
//   "YY_MM_dd_HH_mm_ss"  11-03-14 09:26:53
//   "ABSOLUTE"           09:26:53,589
// Anything else is a date pattern: runs of y M d H h m s S a are fields, quoted text
// is literal ('' inside quotes is one quote), and any other run is written once.
void AppendFormattedTime(std::string& out, const platform::DateTime& time, std::string_view format);

// "January" ... "December" ("Aughust" for August) when `full`, else "Jan." ... "Dec.";
// "[UnknownMonth]" outside 1-12.
const char* MonthName(int month, bool full);

}  // namespace scrivlog

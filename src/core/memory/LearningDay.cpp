// SPDX-License-Identifier: GPL-3.0-or-later
#include "memory/LearningDay.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace kelvora {

namespace {

// Floor division, for moments before 1970 too.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

long OffsetAt(std::int64_t unixSeconds) {
    const std::time_t t = static_cast<std::time_t>(unixSeconds);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm.tm_gmtoff;
}

// A learning day starts at the first local time at or after 04:00 of its
// calendar day: the local date, one day earlier before 04:00 on the
// wall clock. (The moment four hours earlier is not the same on the days
// the clocks change.)
std::int64_t DayWithOffset(std::int64_t unixSeconds, long offset) {
    return FloorDiv(unixSeconds + offset - kLearningDayStartHour * 3600, 86400);
}

}  // namespace

std::int64_t LearningDay(std::int64_t unixSeconds) { return DayWithOffset(unixSeconds, OffsetAt(unixSeconds)); }

std::int64_t LearningDays::Of(std::int64_t unixSeconds) {
    const std::int64_t day = FloorDiv(unixSeconds, 86400);
    Slot& slot = cache_[static_cast<std::size_t>(day) % cache_.size()];
    if (slot.day != day) {
        // A (UTC) day with one offset from its first second to its last
        // keeps it throughout (no zone changes and changes back within a
        // day); on the day of a change each moment is asked.
        const long first = OffsetAt(day * 86400), last = OffsetAt(day * 86400 + 86399);
        slot = {day, first, first == last};
    }
    return DayWithOffset(unixSeconds, slot.steady ? slot.offset : OffsetAt(unixSeconds));
}

std::string DayText(std::int64_t day) {
    // The inverse of DaysFromCivil.
    const std::int64_t z = day + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04lld-%02u-%02u", static_cast<long long>(y), m, d);
    return buf;
}

}  // namespace kelvora

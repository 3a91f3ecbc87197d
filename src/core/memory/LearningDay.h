// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Learning days: a learning day runs from 04:00 to 04:00 local time (on the
// wall clock, also on the days the clocks change), so a late-night session
// is one day. Days are numbered from 1970-01-01.
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace kelvora {

inline constexpr int kLearningDayStartHour = 4;

// The learning day of a moment (Unix seconds), in the local time zone.
std::int64_t LearningDay(std::int64_t unixSeconds);

// The same for many moments, as a replay of a long review log asks: it
// remembers the zone's offset of each day asked (a log of a million
// reviews asks about few distinct days, in no order: the memory holds
// forty-four years of them). Make one for each task, so that a change of
// time zone between tasks counts.
class LearningDays {
public:
    std::int64_t Of(std::int64_t unixSeconds);

private:
    struct Slot {
        std::int64_t day = std::numeric_limits<std::int64_t>::min();
        long offset = 0;
        bool steady = true;  // the same offset all the day
    };
    std::vector<Slot> cache_ = std::vector<Slot>(16384);
};

// Whole learning days from one review to the next; a clock set backwards
// counts as the same day.
inline std::int64_t ElapsedDays(std::int64_t fromDay, std::int64_t toDay) {
    return toDay > fromDay ? toDay - fromDay : 0;
}

// A day number as "YYYY-MM-DD".
std::string DayText(std::int64_t day);

}  // namespace kelvora

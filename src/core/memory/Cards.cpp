// SPDX-License-Identifier: GPL-3.0-or-later
#include "memory/Cards.h"

#include "memory/LearningDay.h"

namespace kelvora {

void ApplyReview(CardState& card, const fsrs::Prepared& w, std::int64_t at, std::int64_t day, int grade) {
    if (!card.Reviewed()) {
        card.memory = fsrs::FirstState<double>(w.w, grade);
        card.firstDay = day;
    } else {
        card.memory = fsrs::NextState(w, card.memory, static_cast<double>(ElapsedDays(card.lastDay, day)), grade);
        card.lapses += grade == fsrs::Again;
    }
    ++card.reviews;
    card.lastAt = at;
    // A clock set backwards leaves the card on the later day.
    card.lastDay = std::max(card.lastDay, day);
}

double RetrievabilityOn(const CardState& card, const fsrs::Prepared& w, std::int64_t day) {
    if (!card.Reviewed()) return 0;
    return fsrs::Retrievability(w, static_cast<double>(ElapsedDays(card.lastDay, day)), card.memory.stability);
}

int IntervalOf(const CardState& card, const MemorySettings& s) {
    return fsrs::IntervalDays(s.weights, card.memory.stability, s.desiredRetention);
}

std::int64_t DueDayOf(const CardState& card, const MemorySettings& s) { return card.lastDay + IntervalOf(card, s); }

}  // namespace kelvora

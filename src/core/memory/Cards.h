// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A card's memory after replaying its reviews in time order, and what
// follows from it: its retrievability on a day, its interval, its due day.
#include <cstdint>

#include "memory/Fsrs.h"
#include "memory/LearningDay.h"
#include "review/Review.h"

namespace kelvora {

// The model's parameters in force and the learner's own choices.
struct MemorySettings {
    fsrs::Parameters weights = fsrs::kDefaultParameters;
    double desiredRetention = 0.90;
    int newCardsPerDay = 20;
};

struct CardState {
    fsrs::MemoryState<double> memory{0, 0};
    int reviews = 0;
    int lapses = 0;             // Again answers after the first review
    std::int64_t lastAt = 0;    // Unix seconds of the last review
    std::int64_t lastDay = 0;   // its learning day
    std::int64_t firstDay = 0;  // the learning day of the first review
    bool Reviewed() const { return reviews > 0; }
};

// One more review, `day` its learning day; reviews come in time order.
void ApplyReview(CardState& card, const fsrs::Prepared& w, std::int64_t at, std::int64_t day, int grade);

// Every card of a log replayed: visit(card, its state after all its
// reviews), the card an index into log.cards.
template <class Visit>
void ReplayCards(const ReviewLog& log, const fsrs::Prepared& w, Visit visit);

// Retrievability on a learning day, over whole days since the last review;
// 1 on the day of the review (and before it).
double RetrievabilityOn(const CardState& card, const fsrs::Prepared& w, std::int64_t day);

// The interval after the last review, in whole days, and the learning day
// the card is due on.
int IntervalOf(const CardState& card, const MemorySettings& s);
std::int64_t DueDayOf(const CardState& card, const MemorySettings& s);

template <class Visit>
void ReplayCards(const ReviewLog& log, const fsrs::Prepared& w, Visit visit) {
    LearningDays days;
    ForEachCard(log, [&](std::uint32_t c, std::size_t begin, std::size_t end) {
        CardState card;
        for (std::size_t i = begin; i < end; ++i)
            ApplyReview(card, w, log.events[i].at, days.Of(log.events[i].at), log.events[i].grade);
        visit(c, card);
    });
}

}  // namespace kelvora

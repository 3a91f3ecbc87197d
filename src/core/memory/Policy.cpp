// SPDX-License-Identifier: GPL-3.0-or-later
#include "memory/Policy.h"

namespace kelvora {

const MemoryPolicy kDueThenNew{
    "due words, then new ones",
    [](Deck& deck, std::int64_t now, const std::function<int(int)>& below) {
        if (auto due = deck.FirstDue(now)) return due;
        if (auto fresh = deck.NewCard(now, below)) return fresh;
        if (auto weakest = deck.Weakest(now)) return weakest;
        return deck.NewCard(now, below, true);
    },
    true};

const MemoryPolicy kWeakestFirst{
    "weakest reviewed words first",
    [](Deck& deck, std::int64_t now, const std::function<int(int)>&) { return deck.Weakest(now); },
    false};

}  // namespace kelvora

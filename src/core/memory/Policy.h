// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The policies of the memory modes: the rule that picks the next word from
// the deck. A memory mode is a row of the mode table naming one of these;
// a new one is a policy here and a row there.
#include <cstdint>
#include <functional>

#include "memory/Deck.h"

namespace kelvora {

struct MemoryPolicy {
    const char* name;
    // The next word; nothing when the policy has none to ask. `below(n)`
    // draws a whole number from 0 to n - 1.
    Deck::Pick (*next)(Deck& deck, std::int64_t now, const std::function<int(int)>& below);
    // Whether it brings in words never reviewed.
    bool asksNewWords;
};

// Due words: the words due today, lowest retrievability first; else a word
// never reviewed, at random, while today's new words stay under the daily
// limit; else the reviewed word of lowest retrievability. (With a daily
// limit of 0 on a bank never reviewed: any word.)
extern const MemoryPolicy kDueThenNew;

// Before the exam: the reviewed words of lowest retrievability now,
// whether due or not; never a new word.
extern const MemoryPolicy kWeakestFirst;

}  // namespace kelvora

// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Tally.h"

#include <algorithm>

#include "text/Numbers.h"

namespace kelvora {

double Asked(const WordRow& row, int direction) { return Val(row.asked[static_cast<std::size_t>(direction)]); }
double Score(const WordRow& row, int direction) { return Val(row.score[static_cast<std::size_t>(direction)]); }

void AddToWord(WordRow& row, int direction, double asked, double score) {
    const auto d = static_cast<std::size_t>(direction);
    row.asked[d] = NumText(Val(row.asked[d]) + asked);
    row.score[d] = NumText(Val(row.score[d]) + score);
}

void SaturatingAdd(Int16& value, int amount) {
    const long long sum = std::clamp<long long>(static_cast<long long>(value.value()) + amount, -32768, 32767);
    value = Int16::FromWide(sum);
}

void AddToQuestion(QuestionTally& tally, int asked, int score) {
    SaturatingAdd(tally.asked, asked);
    SaturatingAdd(tally.score, score);
}

}  // namespace kelvora

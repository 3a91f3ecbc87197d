// SPDX-License-Identifier: GPL-3.0-or-later
// The modes: one row each, with everything the program does differently
// for it. A new mode is a row here and its chooser.
#include <algorithm>
#include <array>
#include <cmath>

#include "judge/Reports.h"
#include "memory/Policy.h"
#include "model/Modes.h"
#include "run/ChooseRow.h"

namespace kelvora {

namespace {

using S = Selection;
using T = TestPreference;
using R = ModeRole;

constexpr std::array kModes = {
    ModeRow{1, "not yet asked", S::Draw, T::NeverAsked, R::Plain, ChooseUnasked, nullptr},
    ModeRow{2, "not yet answered right", S::Draw, T::NeverRight, R::Plain, ChooseUnanswered, nullptr},
    ModeRow{3, "not yet asked either way", S::Draw, T::NeverAsked, R::Plain, ChooseUnaskedEither, nullptr},
    ModeRow{4, "training list", S::Draw, T::NeverAsked, R::Plain, ChooseTrainingWord, TrainingRatesLine},
    ModeRow{5, "due words: those about to be forgotten, then new ones", S::Draw, T::Any, R::Plain, ChooseMemoryWord,
            DueWordsLine, &kDueThenNew},
    ModeRow{6, "before the exam: the words you know least now, due or not, no new ones", S::Draw, T::Any, R::Plain,
            ChooseMemoryWord, DueWordsLine, &kWeakestFirst},
    ModeRow{10, "drill: test questions wait on their commentary", S::Draw, T::NeverRight, R::Drill, nullptr, nullptr},
    ModeRow{11, "test: a score estimate every 40 questions", S::Draw, T::NeverAsked, R::Exam, nullptr, nullptr},
    ModeRow{20, "in order, choices nearby", S::Walk, T::Any, R::Plain, WalkInOrder, nullptr},
    ModeRow{21, "in order past words never asked, choices nearby", S::Walk, T::Any, R::Plain, WalkInOrderToAsked,
            nullptr},
    ModeRow{22, "seven at a time past words never asked, choices nearby", S::Walk, T::Any, R::Plain,
            WalkByStrideToAsked, nullptr},
};
static_assert(std::is_sorted(kModes.begin(), kModes.end(),
                             [](const ModeRow& a, const ModeRow& b) { return a.number < b.number; }));

constexpr ModeRow kOtherBelow20{0, "a random word", S::Draw, T::Any, R::Plain, nullptr, nullptr};
constexpr ModeRow kOtherFrom20{0, "the previous word again", S::Walk, T::Any, R::Plain, nullptr, nullptr};

}  // namespace

std::span<const ModeRow> ModeTable() { return kModes; }

const ModeRow& ModeOf(double mode) {
    for (const ModeRow& row : kModes)
        if (mode == row.number) return row;
    return mode >= 20 ? kOtherFrom20 : kOtherBelow20;
}

std::string ModeNumbersText() {
    std::string out;
    const auto modes = ModeTable();
    for (std::size_t i = 0; i < modes.size();) {
        std::size_t j = i;
        while (j + 1 < modes.size() && modes[j + 1].number == modes[j].number + 1) ++j;
        std::string run = std::to_string(modes[i].number);
        if (j >= i + 2) {
            run += " to " + std::to_string(modes[j].number);
        } else {
            j = i;
        }
        out += (out.empty() ? "" : j + 1 == modes.size() ? ", or " : ", ") + run;
        i = j + 1;
    }
    return out;
}

std::string ModeListText() {
    std::string out;
    for (const ModeRow& row : ModeTable())
        out += (out.empty() ? "" : "\n") + std::to_string(row.number) + "  " + row.name;
    return out;
}

}  // namespace kelvora

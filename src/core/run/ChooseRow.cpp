// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/ChooseRow.h"

#include <utility>

#include "memory/Policy.h"
#include "run/MemoryDeck.h"
#include "model/Modes.h"
#include "model/Tally.h"
#include "run/TrainingList.h"
#include "text/Numbers.h"

namespace kelvora {

namespace {

void DrawRowAndDirection(Program& p) {
    p.m.QuestionIndex = p.rng.Below(p.m.WordCount);
    p.m.Direction = p.rng.Below(2);
}

// Draws again, up to 50 times, until the row on hand passes.
template <class Filter>
void DrawUntil(Program& p, Filter passes) {
    for (int budget = 50; budget > 0 && !passes(p.m.Word(p.m.QuestionIndex), p.m.Direction); --budget)
        DrawRowAndDirection(p);
}

// One step of the in-order walk: the next row, or row 0 in the other
// direction after the last.
void StepInOrder(Model& m) {
    if (m.QuestionIndex >= m.WordCount - 1) {
        m.QuestionIndex = 0;
        m.Direction = 1 - m.Direction;
    } else {
        ++m.QuestionIndex;
    }
}

// The stride of mode 22: seven rows, so that consecutive questions are
// never neighbours in the (alphabetical) bank and a lap covers a seventh of
// it; smaller banks walk one row at a time.
int Stride(const Model& m) { return m.WordCount > 14 ? 7 : 1; }

void StepByStride(Model& m) {
    const int s = m.SkipStep;
    if (m.QuestionIndex + s > m.WordCount - 1) {
        m.Direction = 1 - m.Direction;
        if (m.Direction == 0) m.QuestionIndex = ((m.QuestionIndex % s) + 1) % s;
    } else {
        m.QuestionIndex += s;
    }
}

// Walks until a row asked before in the current direction, at most 50 to
// 60 steps.
template <class Step>
void WalkToAskedRow(Program& p, Step step) {
    Model& m = p.m;
    int steps = 0;
    bool more = true;
    while (more) {
        step(m);
        ++steps;
        // Both conditions are evaluated every time, so each test takes its
        // own draw.
        const bool neverAsked = Asked(m.Word(m.QuestionIndex), m.Direction) <= 0;
        const bool budgetLeft = steps < 50 + 10 * p.rng.Next();
        more = neverAsked && budgetLeft;
    }
}

}  // namespace

void ChooseUnasked(Program& p) {
    DrawUntil(p, [](const WordRow& r, int d) { return Asked(r, d) <= 0; });
}

void ChooseUnanswered(Program& p) {
    DrawUntil(p, [](const WordRow& r, int d) { return Score(r, d) <= 0; });
}

void ChooseUnaskedEither(Program& p) {
    DrawUntil(p, [](const WordRow& r, int) {
        return Asked(r, kEnglishToJapanese) <= 0 && Asked(r, kJapaneseToEnglish) <= 0;
    });
}

// Least picked first; among equals the word with the lower ratio of score
// to asked weight.
void ChooseTrainingWord(Program& p) {
    Model& m = p.m;
    if (m.TrainingCount <= 0) LoadTrainingList(p);
    const int n = m.TrainingCount;
    auto pick = [&](int e, int d) -> Int16& { return m.TrainingList[static_cast<std::size_t>(e)][1 + d]; };
    auto word = [&](int e) -> const WordRow& { return m.Word(m.TrainingList[static_cast<std::size_t>(e)][0]); };
    int c = 0, dc = 0;
    m.QuestionIndex = m.TrainingList[0][0];
    m.Direction = 0;
    for (int d = 0; d < 2; ++d) {
        // The candidate's tallies in this direction, read again only when
        // the candidate changes.
        double candidateAsked = Asked(word(c), d), candidateScore = Score(word(c), d);
        for (int e = 0; e < n; ++e) {
            // The list's words lie all over a large bank: ask for the row a
            // few entries ahead while this one is compared.
            if (e + 8 < n) __builtin_prefetch(&word(e + 8));
            const int pc = pick(c, dc), pe = pick(e, d);
            bool better = false;
            if (pc > pe && pc > 0) {
                better = true;
            } else if (pc == pe && pe > 0) {
                better = candidateAsked * Score(word(e), d) < candidateScore * Asked(word(e), d);
            }
            if (better) {
                c = e;
                dc = d;
                m.QuestionIndex = m.TrainingList[static_cast<std::size_t>(e)][0];
                m.Direction = d;
                candidateAsked = Asked(word(c), d);
                candidateScore = Score(word(c), d);
            }
        }
    }
    SaturatingAdd(pick(c, dc), 1);
}

void ChooseMemoryWord(Program& p) {
    const ModeRow& mode = ModeOf(p.m.Qmd);
    const Result<Deck*> deck = MemoryDeck(p);
    if (!deck) {
        if (!std::exchange(p.deckProblemTold, true)) p.host.MsgBox(UnreadableHistoryMessage(mode.number, deck.error()));
        ChooseUnanswered(p);
        return;
    }
    const MemoryPolicy& policy = *mode.memory;
    if (const auto next = policy.next(**deck, p.host.Now(), [&p](int n) { return p.rng.Below(n); })) {
        p.m.QuestionIndex = next->first;
        p.m.Direction = next->second;
        return;
    }
    // A mode that asks only reviewed words, before there is one.
    if (!policy.asksNewWords) {
        if (!std::exchange(p.noReviewedWordTold, true))
            p.host.MsgBox("Mode " + std::to_string(mode.number) +
                          " asks only words you have reviewed, and this word database has none yet.\r\n"
                          "Until it has, the mode asks the words not yet answered right, as mode 2 does.");
        ChooseUnanswered(p);
    }
}

void WalkInOrder(Program& p) { StepInOrder(p.m); }

void WalkInOrderToAsked(Program& p) { WalkToAskedRow(p, StepInOrder); }

void WalkByStrideToAsked(Program& p) {
    if (p.m.SkipStep < 1) p.m.SkipStep = Int16::FromWide(Stride(p.m));
    WalkToAskedRow(p, StepByStride);
}

void ChooseWordRow(Program& p) {
    Model& m = p.m;
    m.IsTestQuestion = 0;
    m.QuestionSentence.clear();
    m.Qmd = Val(p.Form3.Text3.text);
    const ModeRow& mode = ModeOf(m.Qmd);
    if (mode.selection == Selection::Draw) DrawRowAndDirection(p);
    if (mode.choose) mode.choose(p);
    // A test question leaves its own number in QuestionIndex; the modes that
    // keep or walk from the previous row must still land in the bank.
    if (m.QuestionIndex < 0 || m.QuestionIndex >= m.WordCount) m.QuestionIndex = 0;
}

}  // namespace kelvora

// SPDX-License-Identifier: GPL-3.0-or-later
// "Stop": pause and resume, with the mode report.
#include "run/MemoryDeck.h"
#include "judge/Reports.h"
#include "memory/LearningDay.h"
#include "model/Modes.h"
#include "model/Tally.h"
#include "text/Numbers.h"

namespace kelvora {

namespace {

const char* const kLegend[] = {
    " Qmd = 1 Then '未出題問題をだす",
    " Qmd = 2 Then '未正解問題をだす",
    " Qmd = 3 Then '両モード 未出題問題をだす",
    " Qmd = 4 Then '特訓モード　",
    "",
    " Qmd =10 Then '特訓モード　",
    " Qmd =11 Then '試験モード　",
    "",
    " Qmd =20 Then '順番 w/近接データ 全問　",
    " Qmd =21 Then '順番 w/近接データ 未正解　",
    " Qmd =22 Then 'Skip w/近接データ 未正解　",
    "",
};

}  // namespace

std::string TrainingRatesLine(Program& p) {
    const Model& m = p.m;
    double a = 0, b = 0, c = 0, d = 0;
    for (int e = 0; e < m.TrainingCount; ++e) {
        const WordRow& r = m.Word(m.TrainingList[static_cast<std::size_t>(e)][0]);
        a += Asked(r, kEnglishToJapanese) > 0;
        b += Score(r, kEnglishToJapanese) > 0;
        c += Asked(r, kJapaneseToEnglish) > 0;
        d += Score(r, kJapaneseToEnglish) > 0;
    }
    return " " + (a > 0 ? Percent(b / a * 100) : std::string()) + "%   : " +
           (c > 0 ? Percent(d / c * 100) : std::string()) + "% ";
}

std::string DueWordsLine(Program& p) {
    const Result<Deck*> deck = MemoryDeck(p);
    if (!deck) return " Due words: the review history cannot be read.";
    const Deck::Summary s = (*deck)->Summarize(p.host.Now());
    return " Due today: " + std::to_string(s.dueToday) + "   new today: " + std::to_string(s.newToday) + " of " +
           std::to_string(s.newLimit) + "   next due: " + (s.nextDueDay ? DayText(*s.nextDueDay) : std::string("none"));
}

void PauseOrResume(Program& p) {
    Model& m = p.m;
    // Before the first "Start" there is no question to pause or resume:
    // resuming would judge a question that was never shown.
    if (!p.runStarted) return;
    if (m.QuizState == RunState::Idle) {
        m.QuizState = RunState::AwaitingAnswer;
        p.Form2.Text1.visible = false;
        return;
    }
    m.QuizState = RunState::Idle;
    p.Form2.Text1.visible = true;
    std::string t = "現在モード Qmd=" + NumText(m.Qmd);
    for (const char* line : kLegend) AppendLine(t, line);
    if (const auto line = ModeOf(m.Qmd).reportLine) AppendLine(t, line(p));
    p.Form2.Text1.text = t;
}

}  // namespace kelvora

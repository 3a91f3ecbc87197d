// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>

#include "judge/Reports.h"
#include "text/Numbers.h"

namespace kelvora {

std::string Percent(double value) { return NumText(value).substr(0, 5); }

void AppendLine(std::string& report, const std::string& line) {
    report += "\r\n";
    report += line;
}

double EstimateScore(double rate, double speed, int timeLimit) {
    if (rate < 300) return rate;
    if (rate < 500) {
        if (speed > 100) return rate + 10;
        if (speed > 50) return rate + 30;
        return rate + speed;
    }
    if (timeLimit == 20) return 5 * std::floor((500 + (rate - 500) * 400 / 500 + speed / 3) / 5);
    return 5 * std::floor((400 + (rate - 400) * 400 / 600 + speed / 3) / 5);
}

void ShowTestReport(Program& p) {
    Model& m = p.m;
    m.QuizState = RunState::Idle;
    m.Countdown = 999;
    p.Form2.Text1.visible = true;

    // Records ever asked, and with a positive score, over the loaded
    // questions.
    int asked = 0, positive = 0;
    for (int q = 0; q < m.TestCount; ++q) {
        const auto& rec = m.TestRec[static_cast<std::size_t>(q)];
        if (rec.asked > 0) {
            ++asked;
            if (rec.score > 0) ++positive;
        }
    }
    const double ta = m.TestAsked;
    const double tc = m.TestCorrect;

    std::string t;
    AppendLine(t, "出題数");
    AppendLine(t, "　" + NumText(asked));
    AppendLine(t, "正解");
    if (positive > 0 && asked > 0)
        AppendLine(t, "　" + NumText(positive) + "    " + Percent(100.0 * positive / asked) + "%");
    AppendLine(t, "");
    AppendLine(t, "試験モード出題数");
    AppendLine(t, "　" + NumText(ta));
    AppendLine(t, "試験モード正解");
    if (tc > 0) AppendLine(t, "　" + NumText(tc) + "    " + Percent(tc / ta * 100) + "%");

    const double rate = ta > 0 ? tc * 1000 / ta : 0;
    double sum = 0;
    for (int i = 0; i < m.TestQuestionNo; ++i) sum += m.TestLog[static_cast<std::size_t>(i)][1];
    const double limit = static_cast<double>(m.TestQuestionNo) * m.TimeAllowance;
    const double speed = limit > 0 ? std::max(0.0, sum * 150 / limit) : 0.0;
    const double estimate = EstimateScore(rate, speed, m.TimeAllowance);
    p.session.estimates.push_back(estimate);

    AppendLine(t, "");
    AppendLine(t, "TOEIC予想スコア");
    AppendLine(t, "　" + NumText(estimate));
    AppendLine(t, "s1　" + NumText(ta));
    AppendLine(t, "s2　" + NumText(tc));
    AppendLine(t, "s3　" + NumText(rate));
    AppendLine(t, "s4　" + NumText(speed));
    AppendLine(t, "s5　" + NumText(estimate));
    AppendLine(t, "s6　" + NumText(sum));
    AppendLine(t, "s7　" + NumText(limit));
    // A learner who chose more time is told how the estimate counted it.
    if (p.session.timeScale != 1) {
        AppendLine(t, "");
        AppendLine(t, p.session.timeScale == kNoTimeLimit
                          ? "This session ran without a time limit: the estimate counts a slow answer as one second left."
                          : "This session ran at a slower pace (time limits ×" + std::to_string(p.session.timeScale) +
                                "): the estimate counts the seconds left as the usual limits would.");
    }
    p.Form2.Text1.text = t;

    p.host.MsgBox("continue");
    m.TestAsked = 0;
    m.TestCorrect = 0;
}

}  // namespace kelvora

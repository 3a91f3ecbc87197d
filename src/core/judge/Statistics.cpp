// SPDX-License-Identifier: GPL-3.0-or-later
// "CHK": the statistics report in the comment window.
#include "judge/Reports.h"
#include "model/Tally.h"
#include "text/Numbers.h"

namespace kelvora {

namespace {

// "　N    P%" when the count is above 0 (and the rate defined).
void RateLine(std::string& t, double count, double of) {
    if (count <= 0) return;
    AppendLine(t, of > 0 ? "　" + NumText(count) + "    " + Percent(count / of * 100) + "%" : "　" + NumText(count));
}

std::string WordReport(const Program& p) {
    const Model& m = p.m;
    double ea = 0, ec = 0, ja = 0, jc = 0, ta = 0, tc = 0, tp = 0;
    for (int i = 0; i < m.WordCount; ++i) {
        const WordRow& r = m.Word(i);
        const double e2 = Asked(r, kEnglishToJapanese), e3 = Score(r, kEnglishToJapanese);
        const double j4 = Asked(r, kJapaneseToEnglish), j5 = Score(r, kJapaneseToEnglish);
        ea += e2 > 0;
        ec += e3 > 0;
        ja += j4 > 0;
        jc += j5 > 0;
        ta += e2 > 0 || j4 > 0;
        tc += e3 > 0 || j5 > 0;
        tp += e3 >= 0 && j5 >= 0 && e3 + j5 > 0;
    }
    std::string t;
    AppendLine(t, "英語出題数");
    AppendLine(t, "　" + NumText(ea));
    AppendLine(t, "英語正解");
    RateLine(t, ec, ea);
    AppendLine(t, "日本語出題数");
    AppendLine(t, "　" + NumText(ja));
    AppendLine(t, "日本語正解");
    RateLine(t, jc, ja);
    AppendLine(t, "総合出題数");
    AppendLine(t, "　" + NumText(ta));
    AppendLine(t, "　正解");
    if (tc > 0) {
        AppendLine(t, ta > 0 ? "　" + NumText(tc) + "    " + Percent(tc / ta * 100) + "%" + "    " +
                                   Percent(tp / ta * 100) + "%"
                             : "　" + NumText(tc));
    }
    AppendLine(t, "");
    AppendLine(t, "出題数");
    AppendLine(t, "　" + NumText(m.RunAsked));
    AppendLine(t, "正解");
    if (m.RunAsked > 0)
        AppendLine(t, "　" + NumText(m.RunCorrect) + "    " + Percent(100.0 * m.RunCorrect / m.RunAsked) + "%");
    return t;
}

std::string TestRecordReport(const Program& p) {
    const Model& m = p.m;
    double a = 0, c = 0;
    for (int q = 0; q < m.TestCount; ++q) {
        const auto& rec = m.TestRec[static_cast<std::size_t>(q)];
        a += rec.asked > 0;
        c += rec.score > 0;
    }
    std::string t;
    AppendLine(t, "出題数");
    AppendLine(t, "　" + NumText(a));
    AppendLine(t, "正解");
    RateLine(t, c, a);
    return t;
}

}  // namespace

void ShowStatistics(Program& p) {
    if (p.m.IsTestQuestion == 0 || p.m.IsTestQuestion == 1) {
        p.Form2.Text1.visible = true;
        p.Form2.Text1.text = p.m.IsTestQuestion == 0 ? WordReport(p) : TestRecordReport(p);
    }
    p.Form2.visible = true;
    p.Form2.raise = true;
}

ScoreSpreadCounts ScoreSpread(const Program& p) {
    ScoreSpreadCounts spread{};
    for (int i = 0; i < p.m.WordCount; ++i) {
        for (int d : {kEnglishToJapanese, kJapaneseToEnglish}) {
            const double score = Score(p.m.Word(i), d);
            const int bucket = Asked(p.m.Word(i), d) <= 0 ? 0
                               : score <= 0               ? 1
                               : score < 10               ? 2
                               : score < 30               ? 3
                               : score < 100              ? 4
                                                          : 5;
            ++spread[static_cast<std::size_t>(d)][static_cast<std::size_t>(bucket)];
        }
    }
    return spread;
}

}  // namespace kelvora

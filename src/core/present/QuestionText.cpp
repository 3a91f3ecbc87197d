// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/QuestionText.h"

#include "layout/ControlFactory.h"
#include "text/Utf8.h"

namespace kelvora {

void DrawQuestionText(Program& p, const std::string& sentence) {
    Surface& s = p.Form1.surface;
    s.Clear();
    s.SetFontSize(8);
    s.EndLine();
    s.SetFontSize(12);
    s.SetBold(true);
    s.SetFontName(kGothic);
    s.SetUnderline(false);
    s.Print("  ");

    const auto chars = Characters(sentence);
    const std::size_t n = chars.size();
    // Position (1-based) of the next blank after each character, 0 for none.
    std::vector<std::size_t> nextBlank(n, 0);
    for (std::size_t k = n, next = 0; k-- > 0;) {
        nextBlank[k] = next;
        if (chars[k] == " ") next = k + 1;
    }

    bool underline = false;
    long column = 0;
    std::string_view previous;
    for (std::size_t k = 0; k < n; ++k) {
        const std::string_view c = chars[k];
        if (c == "&") {
            if (previous == "&") {
                s.Print("&");
                ++column;
            } else {
                underline = !underline;
            }
        } else {
            s.SetUnderline(underline);
            s.Print(std::string(c));
            s.SetUnderline(false);
            ++column;
        }
        if (c == " ") {
            const long position = static_cast<long>(k) + 1;
            const long b = static_cast<long>(nextBlank[k]);
            if (column + (b - position) > 22) {
                s.EndLine();
                s.Print(" ");
                column = 0;
            }
        }
        previous = c;
    }
}

void RedrawQuestionText(Program& p) {
    if (!p.m.QuestionSentence.empty()) DrawQuestionText(p, p.m.QuestionSentence);
}

}  // namespace kelvora

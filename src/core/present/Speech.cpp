// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/Speech.h"

namespace kelvora {

namespace {

// "&" marks an underlined stretch; "&&" prints one "&".
std::string WithoutUnderlineMarks(const std::string& sentence) {
    std::string out;
    for (std::size_t i = 0; i < sentence.size(); ++i) {
        if (sentence[i] != '&') {
            out += sentence[i];
        } else if (i + 1 < sentence.size() && sentence[i + 1] == '&') {
            out += '&';
            ++i;
        }
    }
    return out;
}

}  // namespace

std::string QuestionSpeech(const Program& p) {
    const bool test = p.m.IsTestQuestion == 1;
    std::string out = test ? WithoutUnderlineMarks(p.m.QuestionSentence) : p.Form1.Text1.text;
    const char* const letters[] = {"A", "B", "C", "D"};
    const Control* boxes[] = {&p.Form1.Text2, &p.Form1.Text3, &p.Form1.Text4, &p.Form1.Text5};
    for (int k = 0; k < 4; ++k) out += std::string(". ") + letters[k] + ": " + boxes[k]->text;
    return out;
}

std::string VerdictSpeech(const Program& p) {
    const std::string& mark = p.Form2.Label1.text;
    if (mark.rfind("○", 0) == 0) return "Right," + mark.substr(std::string("○").size());
    if (mark.rfind("×", 0) == 0) return "Wrong," + mark.substr(std::string("×").size());
    return {};
}

void AnnounceQuestion(Program& p) {
    p.Form1.accessibleDescription = QuestionSpeech(p);
    p.announcement = {Announcement::Kind::Question, p.announcement.serial + 1};
}

void AnnounceVerdict(Program& p) {
    p.Form2.Label1.accessibleName = "Verdict: " + VerdictSpeech(p);
    p.announcement = {Announcement::Kind::Verdict, p.announcement.serial + 1};
}

}  // namespace kelvora

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

// The letter of a choice: 0..3 = "A".."D".
std::string Letter(int position) { return std::string(1, static_cast<char>('A' + position)); }

}  // namespace

std::string QuestionSpeech(const Program& p) {
    const bool test = p.m.IsTestQuestion == 1;
    std::string out = test ? WithoutUnderlineMarks(p.m.QuestionSentence) : p.Form1.Text1.text;
    for (int k = 0; k < 4; ++k) out += ". " + Letter(k) + ": " + p.Form1.choiceBox(k)->text;
    return out;
}

std::string VerdictSpeech(const Program& p, bool right, bool timedOut, int rightButton) {
    std::string out = p.Form2.Label1.text + ". ";
    if (right) return out + "Right.";
    const Control* choice = p.Form1.choiceBox(rightButton);
    out += timedOut ? "Time is up." : "Wrong.";
    return out + " The answer was " + Letter(rightButton) + ": " + (choice ? choice->text : std::string()) + ".";
}

void AnnounceQuestion(Program& p) {
    p.Form1.accessibleDescription = QuestionSpeech(p);
    p.announcement = {Announcement::Kind::Question, p.announcement.serial + 1};
}

void NameVerdict(Program& p, bool right, bool timedOut, int rightButton) {
    p.Form2.Label1.accessibleName = VerdictSpeech(p, right, timedOut, rightButton);
}

void AnnounceVerdict(Program& p) { p.announcement = {Announcement::Kind::Verdict, p.announcement.serial + 1}; }

void ClearVerdict(Program& p) {
    p.Form2.Label1.text.clear();
    p.Form2.Label1.accessibleName = kVerdictLabelName;
}

}  // namespace kelvora

// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/TestQuestion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "text/EntryParts.h"
#include "audio/Playback.h"
#include "present/Countdown.h"
#include "present/QuestionText.h"
#include "present/Speech.h"
#include "model/Modes.h"
#include "text/Numbers.h"
#include "text/Utf8.h"

namespace kelvora {

namespace {

struct DataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The choice line split at its first four commas: four choices and the
// answer field (everything after the fourth comma).
std::array<std::string, 5> SplitChoices(const std::string& line) {
    std::array<std::string, 5> entries;
    std::size_t start = 0;
    for (int k = 0; k < 4; ++k) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string::npos) throw DataError("fewer than four commas");
        // Comma positions are 16-bit: a comma at character 32,767 or later
        // is out of reach.
        if (Characters(std::string_view(line).substr(0, comma)).size() + 1 >= 32767)
            throw DataError("comma too far");
        entries[static_cast<std::size_t>(k)] = line.substr(start, comma - start);
        start = comma + 1;
    }
    entries[4] = line.substr(start);
    return entries;
}

std::string Commentary(const std::string& line) {
    std::string out;
    out.reserve(line.size() + 8);
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else {
            out += line[i];
        }
    }
    return out;
}

bool Passes(const Model& m, double mode, int q) {
    const QuestionTally& rec = m.TestRec[static_cast<std::size_t>(q)];
    switch (ModeOf(mode).tests) {
        case TestPreference::NeverAsked: return rec.asked <= 0;
        case TestPreference::NeverRight: return rec.score <= 0;
        case TestPreference::Any: break;
    }
    return true;
}

// The question by mode: drawn at random, and again (up to 50 times) while
// the mode prefers another kind. QuestionIndex follows every draw.
void ChooseTestQuestion(Program& p, int& q) {
    Model& m = p.m;
    q = p.rng.Below(m.TestCount);
    m.QuestionIndex = q;
    m.Qmd = Val(p.Form3.Text3.text);
    for (int budget = 50; budget > 0 && !Passes(m, m.Qmd, q); --budget) {
        q = p.rng.Below(m.TestCount);
        m.QuestionIndex = q;
    }
}

// In test mode every question asked goes into the log; it grows with the
// test, so a long test keeps its record.
void LogQuestion(Model& m, int q) {
    if (!IsExamMode(m.SetupQmd)) return;
    if (static_cast<std::size_t>(m.TestQuestionNo) >= m.TestLog.size()) m.TestLog.resize(m.TestLog.size() * 2);
    m.TestLog[static_cast<std::size_t>(m.TestQuestionNo)][0] = q;
    ++m.TestQuestionNo;
}

// Which of the file's choices goes on each button: three draws that avoid
// the correct button and each other (the button at the correct slot keeps
// the correct position), the fourth what is left.
std::array<int, 4> ShuffledPositions(Program& p, int correct) {
    std::array<int, 4> position{};
    for (int i = 0; i < 3; ++i) {
        int v = 0;
        bool rejected = true;
        while (rejected) {
            v = p.rng.Below(4);
            rejected = v == correct;
            for (int j = 0; j < i; ++j) rejected = rejected || v == position[static_cast<std::size_t>(j)];
        }
        position[static_cast<std::size_t>(i)] = i == correct ? correct : v;
    }
    position[3] = 6 - position[0] - position[1] - position[2];
    return position;
}

// Databases whose name starts with "p" are timed by the wait option (and
// hold the commentary in drill mode); others get five seconds.
void SetTimeLimit(Program& p) {
    Model& m = p.m;
    const std::string& name = p.loadedTestDb;
    if (!name.empty() && (name[0] == 'p' || name[0] == 'P')) {
        const int t = p.Form3.Option2.value != 0 ? 30 : 20;
        StartCountdown(p, t);
        m.TimeAllowance = Int16::FromWide(t);
        m.CommentHold = m.DrillFlag;
    } else {
        m.CommentHold = 0;
        StartCountdown(p, 6);
        m.TimeAllowance = 5;
    }
}

void Present(Program& p, int& q) {
    Model& m = p.m;
    Form1Model& f = p.Form1;
    m.IsTestQuestion = 1;
    ChooseTestQuestion(p, q);
    LogQuestion(m, q);
    m.QuizState = RunState::AwaitingAnswer;
    const int correct = p.rng.Below(4);
    m.CorrectAnswer = correct;
    f.Text1.text.clear();
    f.Label2.text.clear();
    f.Label2.visible = false;
    f.Text1.visible = false;

    const std::string& questionLine = m.TestLine[static_cast<std::size_t>(3 * q)];
    m.QuestionSentence = GetTextPart(questionLine);
    const std::string sound = GetSoundPart(questionLine);
    DrawQuestionText(p, m.QuestionSentence);

    std::array<int, 4> position = ShuffledPositions(p, correct);
    auto choices = SplitChoices(m.TestLine[static_cast<std::size_t>(3 * q + 1)]);
    if (choices[4].empty()) throw DataError("no answer letter");
    const int answer = static_cast<int>(FirstCode(choices[4])) - 'A';
    // Only "A" to "D" name a choice; anything else could never be answered.
    if (answer < 0 || answer > 3) throw DataError("answer letter outside A to D");
    if (choices[0] != "(A)") {
        std::swap(choices[static_cast<std::size_t>(correct)], choices[static_cast<std::size_t>(answer)]);
    } else {
        // "(A)" lines keep the file's order.
        position = {0, 1, 2, 3};
        m.CorrectAnswer = answer;
    }
    for (int k = 0; k < 4; ++k)
        f.choiceBox(k)->text = choices[static_cast<std::size_t>(position[static_cast<std::size_t>(k)])];
    if (!sound.empty()) static_cast<void>(PlayPronunciation(p, sound));
    f.ResetAnswerCaptions();
    p.Form2.Text1.text = Commentary(m.TestLine[static_cast<std::size_t>(3 * q + 2)]);
    p.Form2.surface.Clear();
    SetTimeLimit(p);
    AnnounceQuestion(p);
}

}  // namespace

void ShowTestQuestion(Program& p) {
    int q = 0;
    try {
        Present(p, q);
    } catch (const std::exception&) {
        p.host.MsgBox("#09151 Error found in data  line=" + NumText(3 * q) + ":" +
                      p.m.TestLine[static_cast<std::size_t>(3 * q + 2)]);
        p.host.End();
    }
}

}  // namespace kelvora

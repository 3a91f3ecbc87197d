// SPDX-License-Identifier: GPL-3.0-or-later
// The next question: a test question or a word question, and putting a
// word question on screen.
#include "text/EntryParts.h"
#include "audio/Playback.h"
#include "model/Modes.h"
#include "present/Countdown.h"
#include "present/Speech.h"
#include "present/TestQuestion.h"
#include "run/ChoiceDraw.h"
#include "run/ChooseRow.h"
#include "run/Run.h"

namespace kelvora {

namespace {

// Seconds to answer a word question.
constexpr int kWordQuestionSeconds = 6;

void ShowWordQuestion(Program& p) {
    Model& m = p.m;
    Form1Model& f = p.Form1;
    m.QuizState = RunState::AwaitingAnswer;
    StartCountdown(p, kWordQuestionSeconds);
    m.CorrectAnswer = p.rng.Below(4);
    const WordRow& question = m.Word(m.QuestionIndex);
    // English to Japanese asks the word and offers meanings; the other
    // direction the reverse.
    const bool askWord = m.Direction == kEnglishToJapanese;
    const std::string& field = askWord ? question.word : question.meaning;
    f.Text1.text = GetTextPart(field);
    const std::string sound = GetSoundPart(field);
    const bool recorded = !sound.empty() && PlayPronunciation(p, sound);
    // An English word without a recording that plays may be spoken.
    if (!recorded && askWord) SpeakWord(p, field);
    f.Label2.visible = false;
    f.Text1.visible = true;
    const auto rows = DrawChoiceRows({m.WordCount, m.QuestionIndex, m.CorrectAnswer, IsWalkMode(m.Qmd)}, p.rng);
    for (int k = 0; k < 4; ++k) {
        const WordRow& r = m.Word(rows[static_cast<std::size_t>(k)]);
        f.choiceBox(k)->text = GetTextPart(askWord ? r.meaning : r.word);
        p.question.choiceRows[static_cast<std::size_t>(k)] = rows[static_cast<std::size_t>(k)];
    }
    p.question.shownMs = p.host.MonotonicMs();
    f.ResetAnswerCaptions();
    p.Form2.surface.Clear();
    m.CommentHold = 0;
    AnnounceQuestion(p);
}

}  // namespace

void NextQuestion(Program& p) {
    Model& m = p.m;
    Form3Model& setup = p.Form3;
    if (setup.Check1.value == 0) {
        if (setup.Check2.value == 0) setup.Check2.value = 1;
        ShowTestQuestion(p);
        return;
    }
    if (setup.Check2.value == 1 && p.rng.Below(2) == 1) {
        ShowTestQuestion(p);
        return;
    }
    if (m.WordCount <= 0) {
        m.QuizState = RunState::Idle;
        p.Form1.Label1.text.clear();
        p.host.MsgBox("The word database '" + p.loadedWordDb +
                      ".txt' holds no words, so there is no word question to ask.\r\n"
                      "Add words to it, or switch \"Use word test\" off in Setup.");
        return;
    }
    ChooseWordRow(p);
    ShowWordQuestion(p);
}

}  // namespace kelvora

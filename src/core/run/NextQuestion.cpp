// Choosing the next question by mode, and showing a word question.
#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <string_view>
#include <unordered_map>

#include "audio/EntryParts.h"
#include "audio/Playback.h"
#include "model/Tally.h"
#include "platform/TextFile.h"
#include "present/TestQuestion.h"
#include "run/Run.h"
#include "text/Numbers.h"
#include "text/TextReader.h"

namespace kelvora {

int DrawBelow(Program& p, int n) { return static_cast<int>(std::floor(p.rng.Next() * n)); }

void SetAnswerCaptions(Program& p) {
    for (int k = 0; k < 4; ++k) p.Form1.answerButton(k)->text = kFullWidthLetters[k];
}

namespace {

const WordRow& Row(const Program& p, int i) { return p.m.WordTbl[static_cast<std::size_t>(i)]; }

void DrawRowAndDirection(Program& p) {
    p.m.QuestionIndex = DrawBelow(p, p.m.WordCount);
    p.m.Direction = DrawBelow(p, 2);
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
        const bool neverAsked = Asked(Row(p, m.QuestionIndex), m.Direction) <= 0;
        const bool budgetLeft = steps < 50 + 10 * p.rng.Next();
        more = neverAsked && budgetLeft;
    }
}

// Intensive training: least picked first; among equals the word with the
// lower ratio of score to asked weight.
void ChooseTrainingWord(Program& p) {
    Model& m = p.m;
    if (m.TrainingCount <= 0) LoadTrainingList(p);
    const int n = m.TrainingCount;
    auto pick = [&](int e, int d) -> Int16& { return m.TrainingList[static_cast<std::size_t>(e)][1 + d]; };
    auto row = [&](int e) { return m.TrainingList[static_cast<std::size_t>(e)][0].value(); };
    int c = 0, dc = 0;
    m.QuestionIndex = row(0);
    m.Direction = 0;
    for (int d = 0; d < 2; ++d) {
        // The candidate's tallies in this direction, read again only when
        // the candidate changes.
        double candidateAsked = Asked(Row(p, row(c)), d), candidateScore = Score(Row(p, row(c)), d);
        for (int e = 0; e < n; ++e) {
            // The list's words lie all over a large bank: ask for the row a
            // few entries ahead while this one is compared.
            if (e + 8 < n) __builtin_prefetch(&Row(p, row(e + 8)).enAsked + 2 * d);
            const int pc = pick(c, dc), pe = pick(e, d);
            bool better = false;
            if (pc > pe && pc > 0) {
                better = true;
            } else if (pc == pe && pe > 0) {
                const WordRow& we = Row(p, row(e));
                better = candidateAsked * Score(we, d) < candidateScore * Asked(we, d);
            }
            if (better) {
                c = e;
                dc = d;
                m.QuestionIndex = row(e);
                m.Direction = d;
                candidateAsked = Asked(Row(p, row(c)), d);
                candidateScore = Score(Row(p, row(c)), d);
            }
        }
    }
    SaturatingAdd(pick(c, dc), 1);
}

// Step B: the row and direction by mode.
void ChooseWordRow(Program& p) {
    Model& m = p.m;
    m.IsTestQuestion = 0;
    m.QuestionSentence.clear();
    int budget = 50;
    m.Qmd = Val(p.Form3.Text3.text);
    if (m.Qmd < 20) DrawRowAndDirection(p);
    const double mode = m.Qmd;
    if (mode == 1 || mode == 2 || mode == 3) {
        auto passes = [&] {
            const WordRow& r = Row(p, m.QuestionIndex);
            if (mode == 1) return Asked(r, m.Direction) <= 0;
            if (mode == 2) return Score(r, m.Direction) <= 0;
            return Asked(r, 0) <= 0 && Asked(r, 1) <= 0;
        };
        while (budget > 0) {
            if (passes()) break;
            DrawRowAndDirection(p);
            --budget;
        }
    } else if (mode == 4) {
        ChooseTrainingWord(p);
    } else if (mode == 20) {
        StepInOrder(m);
    } else if (mode == 21) {
        WalkToAskedRow(p, StepInOrder);
    } else if (mode == 22) {
        if (m.SkipStep < 1) m.SkipStep = Int16::FromWide(Stride(m));
        WalkToAskedRow(p, StepByStride);
    }
    // A test question leaves its own number in QuestionIndex; the modes that
    // keep or walk from the previous row must still land in the bank.
    if (m.QuestionIndex < 0 || m.QuestionIndex >= m.WordCount) m.QuestionIndex = 0;
}

// The four rows on the buttons, the right one at CorrectAnswer. The draw is
// the bank's (modes below 20) or the rows near the question's (from 20 up);
// where too few rows are left to finish it, the window widens, and only a
// bank of fewer than five words repeats a wrong choice.
std::array<int, 4> DrawChoiceRows(Program& p) {
    Model& m = p.m;
    const int q = m.QuestionIndex;
    const bool nearby = m.Qmd >= 20;
    std::array<int, 4> slots{};
    for (int k = 0; k < 4; ++k) {
        auto excluded = [&](int row) {
            if (row == q) return true;
            for (int j = 0; j < k; ++j)
                if (slots[static_cast<std::size_t>(j)] == row) return true;
            return false;
        };
        int lo = 0, hi = m.WordCount - 1;
        if (nearby) {
            lo = q < 3 ? 0 : q - 2;
            hi = std::min(q + 4, m.WordCount - 1);
        }
        // Rows of lo..hi a draw may take: all but the question's and the
        // earlier slots' (counted once each).
        auto admissible = [&] {
            int n = hi - lo + 1;
            for (int j = -1; j < k; ++j) {
                const int row = j < 0 ? q : slots[static_cast<std::size_t>(j)];
                bool counted = row == q && j >= 0;
                for (int i = 0; i < j && !counted; ++i) counted = slots[static_cast<std::size_t>(i)] == row;
                if (!counted && row >= lo && row <= hi) --n;
            }
            return n;
        };
        int found = admissible();
        if (found == 0 && k == m.CorrectAnswer) {
            slots[static_cast<std::size_t>(k)] = q;  // its draw would be replaced anyway
            continue;
        }
        bool widened = false;
        while (found == 0 && (lo > 0 || hi < m.WordCount - 1)) {
            lo = std::max(0, lo - 1);
            hi = std::min(m.WordCount - 1, hi + 1);
            widened = true;
            found = admissible();
        }
        auto draw = [&] {
            if (nearby || widened) return static_cast<int>(std::floor(lo + (hi - lo + 1) * p.rng.Next()));
            return DrawBelow(p, m.WordCount);
        };
        int row = q;
        if (found > 0) {
            m.RedrawFlag = 1;
            while (m.RedrawFlag != 0) {
                m.RedrawFlag = std::abs(m.RedrawFlag);
                row = draw();
                if (excluded(row)) m.RedrawFlag = -m.RedrawFlag;
                if (m.RedrawFlag > 0) m.RedrawFlag = 0;
            }
        } else if (m.WordCount > 1) {
            // Fewer than five words: a wrong choice appears twice.
            do row = DrawBelow(p, m.WordCount);
            while (row == q);
        }
        slots[static_cast<std::size_t>(k)] = k == m.CorrectAnswer ? q : row;
    }
    return slots;
}

// Step D.
void ShowWordQuestion(Program& p) {
    Model& m = p.m;
    Form1Model& f = p.Form1;
    m.QuizState = 1;
    m.Countdown = 6;
    f.Label1.text = std::to_string(m.Countdown);
    m.CorrectAnswer = DrawBelow(p, 4);
    const WordRow& question = Row(p, m.QuestionIndex);
    const std::string& field = m.Direction == 0 ? question.word : question.meaning;
    f.Text1.text = GetTextPart(field);
    const std::string sound = GetSoundPart(field);
    if (!sound.empty()) PlayPronunciation(p, sound);
    f.Label2.visible = false;
    f.Text1.visible = true;
    const auto slots = DrawChoiceRows(p);
    for (int k = 0; k < 4; ++k) {
        const WordRow& r = Row(p, slots[static_cast<std::size_t>(k)]);
        f.choiceBox(k)->text = GetTextPart(m.Direction == 0 ? r.meaning : r.word);
    }
    SetAnswerCaptions(p);
    p.Form2.surface.Clear();
    m.CommentHold = 0;
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
    if (setup.Check2.value == 1 && DrawBelow(p, 2) == 1) {
        ShowTestQuestion(p);
        return;
    }
    if (m.WordCount <= 0) {
        m.QuizState = 0;
        p.Form1.Label1.text.clear();
        p.host.MsgBox("The word database '" + p.loadedWordDb +
                      ".txt' holds no words, so there is no word question to ask.\r\n"
                      "Add words to it, or switch \"Use word test\" off in Setup.");
        return;
    }
    ChooseWordRow(p);
    ShowWordQuestion(p);
}

namespace {

// Size and time of the training list, to tell a changed file from one
// already found unusable.
std::string FileStamp(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec) return "missing";
    const auto time = std::filesystem::last_write_time(file, ec).time_since_epoch().count();
    return std::to_string(size) + "/" + std::to_string(time);
}

}  // namespace

void LoadTrainingList(Program& p) {
    Model& m = p.m;
    m.TrainingCount = 0;
    const std::string name = m.WordDbName[2];
    const bool named = std::floor(std::fabs(m.WordDbCount)) >= 3;
    // A list that gave no word is read again only once it has changed, so a
    // mode-4 question never waits for a useless read.
    const std::string stamp = named ? FileStamp(p.File(name + ".txt")) : "unnamed";
    if (stamp == p.trainingFailedStamp) return;
    const auto text = named ? ReadTextFile(p.File(name + ".txt")) : std::nullopt;
    auto tell = [&p](const std::string& note) {
        if (note.empty() || note == p.trainingNoteShown) return;
        p.trainingNoteShown = note;
        p.host.MsgBox(note);
    };
    if (!text) {
        p.trainingFailedStamp = stamp;
        tell("The training list '" + name + ".txt' cannot be opened.\r\n"
             "Mode 4 drills the words it names: set it as the third word-database name in Setup.\r\n"
             "Until then mode 4 asks the first word of the bank.");
        return;
    }
    // The first row of each word, for the look-ups below.
    std::unordered_map<std::string_view, int> firstRow;
    firstRow.reserve(static_cast<std::size_t>(m.WordCount));
    for (int i = 0; i < m.WordCount; ++i) firstRow.emplace(Row(p, i).word, i);
    auto find = [&](const std::string& w) {
        const auto it = firstRow.find(w);
        return it == firstRow.end() ? -1 : it->second;
    };
    TextReader in(*text);
    std::vector<std::string> unknown;
    bool tooLong = false;
    while (in.HasMoreFields()) {
        std::string headword = in.ReadField().value_or(std::string());
        std::string second = in.ReadField().value_or(std::string());
        // The first row holding the headword with " *" after it, or as it is.
        const int starred = find(headword + " *"), plain = find(headword);
        const int match = starred < 0 ? plain : plain < 0 ? starred : std::min(starred, plain);
        if (match < 0) {
            // A word the bank lacks would drill whatever row 0 is: skip it.
            unknown.push_back(headword);
            continue;
        }
        if (m.TrainingCount >= kTrainingRows) {
            tooLong = true;
            break;
        }
        const auto t = static_cast<std::size_t>(m.TrainingCount.value());
        m.TrainingText[t] = {std::move(headword), std::move(second)};
        m.TrainingList[t] = {Int16::FromWide(match), Int16(0), Int16(0)};
        m.TrainingCount += 1;
    }
    std::string note;
    if (!unknown.empty()) {
        note += "These words of the training list '" + name + ".txt' are not in the word database and are skipped:";
        for (std::size_t i = 0; i < unknown.size() && i < 10; ++i) note += (i ? ", " : " ") + unknown[i];
        if (unknown.size() > 10) note += " and " + std::to_string(unknown.size() - 10) + " more";
        note += ".";
    }
    if (tooLong) {
        if (!note.empty()) note += "\r\n";
        note += "The training list '" + name + ".txt' is longer than 2,001 words; only the first 2,001 are used.";
    }
    if (m.TrainingCount == 0) {
        p.trainingFailedStamp = stamp;
        if (!note.empty()) note += "\r\n";
        note += "The training list '" + name + ".txt' names no word of the bank, so mode 4 asks the first word.";
    }
    tell(note);
}

}  // namespace kelvora

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's whole shared state, under the names the rest of the code
// uses. Tables are allocated once at their full size (the word table when
// the first word database is loaded, if the model was made without it), so
// a row index is always checked against the table bound, never against a
// vector that grows.
#include <array>
#include <string>
#include <vector>

#include "model/Int16.h"
#include "platform/LargeTable.h"

namespace kelvora {

inline constexpr int kWordRows = 20001;      // WordTbl rows 0..20000
inline constexpr int kTestLines = 3001;      // TestLine 0..3000
inline constexpr int kMaxTestFileLines = 2998;
inline constexpr int kTestRecRows = 1001;    // TestRec rows 0..1000
inline constexpr int kNameSlots = 101;       // WordDbName / TestDbName 0..100
inline constexpr int kTrainingRows = 2001;   // TrainingText / TrainingList 0..2000
inline constexpr int kTestLogRows = 1001;    // TestLog 0..1000

// The two directions of a word question.
inline constexpr int kEnglishToJapanese = 0;  // the word is asked, meanings are the choices
inline constexpr int kJapaneseToEnglish = 1;

// One record of the word database with its learning counters, one pair per
// direction. The counters are kept as the decimal texts the record file
// holds ("0" after loading, NumText form after judging), so a record is
// written back exactly as it was read. Read and change them through
// model/Tally.h.
struct WordRow {
    std::string word;
    std::string meaning;
    std::array<std::string, 2> asked;  // by direction: the asked weight
    std::array<std::string, 2> score;  // by direction: seconds left when right, -1 when wrong
};

// The word table's rows, in storage for large tables.
using WordRows = std::vector<WordRow, LargeTableAllocator<WordRow>>;

// The learning counters of one test question.
struct QuestionTally {
    Int16 asked;  // the time limits of every asking, added up
    Int16 score;  // seconds left when right, -1 when wrong, added up
};

// ChosenAnswer when no button was pressed: a time-out.
inline constexpr int kNoAnswer = -1;

// Where a run stands.
enum class RunState {
    Idle,            // before the first Start, paused, judging, or between a pause and the next question
    AwaitingAnswer,  // a question is on screen and its countdown runs
    VerdictPause,    // the verdict is on screen and the pause before the next question runs
};

struct Model {
    Model() = default;
    // A model whose word table is made by the first word database loaded.
    struct WordRowsLater {};
    explicit Model(WordRowsLater) : WordTbl() {}

    // Question banks.
    WordRows WordTbl = WordRows(kWordRows);
    int WordCount = 0;
    WordRow& Word(int row) { return WordTbl[static_cast<std::size_t>(row)]; }
    const WordRow& Word(int row) const { return WordTbl[static_cast<std::size_t>(row)]; }
    std::vector<std::string> TestLine = std::vector<std::string>(kTestLines);
    Int16 TestCount;
    std::vector<QuestionTally> TestRec = std::vector<QuestionTally>(kTestRecRows);

    // Settings.
    double WordDbCount = 0;
    double TestDbCount = 0;
    std::vector<std::string> WordDbName = std::vector<std::string>(kNameSlots);
    std::vector<std::string> TestDbName = std::vector<std::string>(kNameSlots);
    double SetupQmd = 0;
    double AutoFix = 0;
    Int16 WaitSec;
    int DrillFlag = 0;

    // Quiz run.
    RunState QuizState = RunState::Idle;
    int Countdown = 0;
    int QuestionIndex = 0;
    int Direction = 0;
    int CorrectAnswer = 0;
    int ChosenAnswer = kNoAnswer;
    double Qmd = 0;
    Int16 IsTestQuestion;
    int RunAsked = 0;
    Int16 RunCorrect;
    Int16 SkipStep;

    // Intensive training list.
    std::vector<std::array<std::string, 2>> TrainingText =
        std::vector<std::array<std::string, 2>>(kTrainingRows);
    std::vector<std::array<Int16, 3>> TrainingList = std::vector<std::array<Int16, 3>>(kTrainingRows);
    Int16 TrainingCount;

    // Test mode and presentation.
    std::vector<std::array<int, 2>> TestLog = std::vector<std::array<int, 2>>(kTestLogRows);
    int TestQuestionNo = 0;
    int TestAsked = 0;
    Int16 TestCorrect;
    Int16 TimeAllowance;
    int CommentHold = 0;
    std::string QuestionSentence;
};

}  // namespace kelvora

#pragma once
// The program's whole shared state, under the names the rest of the code
// uses. Tables are allocated once at their full size, so a row index is
// always checked against the table bound, never against a vector that grows.
#include <array>
#include <string>
#include <vector>

#include "model/Int16.h"

namespace kelvora {

inline constexpr int kWordRows = 20001;      // WordTbl rows 0..20000
inline constexpr int kTestLines = 3001;      // TestLine 0..3000
inline constexpr int kMaxTestFileLines = 2998;
inline constexpr int kTestRecRows = 1001;    // TestRec rows 0..1000
inline constexpr int kNameSlots = 101;       // WordDbName / TestDbName 0..100
inline constexpr int kTrainingRows = 2001;   // TrainingText / TrainingList 0..2000
inline constexpr int kTestLogRows = 1001;    // TestLog 0..1000

// One record of the word database with its four learning counters. The
// counters are kept as the decimal texts the record file holds ("0" after
// loading, NumText form after judging).
struct WordRow {
    std::string word;      // column 0
    std::string meaning;   // column 1
    std::string enAsked;   // column 2
    std::string enScore;   // column 3
    std::string jaAsked;   // column 4
    std::string jaScore;   // column 5
};

struct Model {
    // Question banks.
    std::vector<WordRow> WordTbl = std::vector<WordRow>(kWordRows);
    int WordCount = 0;
    std::vector<std::string> TestLine = std::vector<std::string>(kTestLines);
    Int16 TestCount;
    std::vector<std::array<Int16, 2>> TestRec = std::vector<std::array<Int16, 2>>(kTestRecRows);

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
    int QuizState = 0;  // empty before the first Start, which counts as 0
    int Countdown = 0;
    int QuestionIndex = 0;
    int Direction = 0;
    int CorrectAnswer = 0;
    int ChosenAnswer = -1;
    int RedrawFlag = 0;
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

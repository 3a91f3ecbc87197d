// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The question modes, as the setup dialog's mode box holds them. One table
// says everything a mode does (run/ModeTable.cpp, beside the choosers its
// rows name); every other place asks it through ModeOf, never by number.
#include <span>
#include <string>

namespace kelvora {

struct Program;
struct MemoryPolicy;

// How a mode finds its word rows and their wrong choices: drawn from the
// whole bank at random, or walking the bank with choices near the question.
enum class Selection { Draw, Walk };

// Which test questions a mode prefers: those never asked, those never
// answered right, or any.
enum class TestPreference { NeverAsked, NeverRight, Any };

// Test mode reports a score estimate every 40 questions; drill mode holds
// the commentary of a test question until "Continue".
enum class ModeRole { Plain, Exam, Drill };

struct ModeRow {
    int number;          // 0 in the rows for numbers the table does not hold
    const char* name;    // what the mode box's tool tip and the help call it
    Selection selection;
    TestPreference tests;
    ModeRole role;
    // The word row and direction of the next question. In a Draw mode it
    // starts from a random row and direction already drawn; none: that
    // draw (or, walking, the previous row) stands.
    void (*choose)(Program&);
    // The line that Stop's mode report adds after the legend; none: none.
    std::string (*reportLine)(Program&);
    // A memory mode's policy: its words come from the model of memory (the
    // deck of the bank), picked by this rule; none in the other modes.
    const MemoryPolicy* memory = nullptr;
};

// The modes a learner can choose, in number order.
std::span<const ModeRow> ModeTable();

// The row of a mode number. A number the table does not hold gets the row
// of all such numbers: below 20 a plain random word, from 20 up the
// previous row again, with choices near it.
const ModeRow& ModeOf(double mode);

inline bool IsWalkMode(double mode) { return ModeOf(mode).selection == Selection::Walk; }
inline bool IsExamMode(double mode) { return ModeOf(mode).role == ModeRole::Exam; }
inline bool IsDrillMode(double mode) { return ModeOf(mode).role == ModeRole::Drill; }

// The mode numbers in short, runs joined: "1 to 5, 10, 11, or 20 to 22".
std::string ModeNumbersText();
// One line a mode, "5  due words", for the mode box's tool tip.
std::string ModeListText();

}  // namespace kelvora

// SPDX-License-Identifier: GPL-3.0-or-later
// The test sentence printed on the main window, and its redraw events.
#include "Fixture.h"
#include "layout/ControlFactory.h"
#include "present/QuestionText.h"

namespace kelvora::test {
namespace {

using QuestionText = ProgramFixture;

// The surface as lines of text, underlined stretches in [brackets].
std::vector<std::string> Lines(const Surface& s) {
    std::vector<std::string> lines{""};
    for (const auto& op : s.ops()) {
        if (op.kind == SurfaceOp::Kind::EndLine) lines.emplace_back();
        if (op.kind == SurfaceOp::Kind::Print) lines.back() += op.underline ? "[" + op.text + "]" : op.text;
    }
    return lines;
}

TEST_F(QuestionText, WorkedExample) {
    DrawQuestionText(p, "I have a &pen& on the desk.");
    EXPECT_EQ((std::vector<std::string>{"", "  I have a [pen] on the desk."}), Lines(p.Form1.surface));
    const auto& ops = p.Form1.surface.ops();
    ASSERT_GE(ops.size(), 2u);
    // The top margin is one 8-point line; the sentence is 12-point bold.
    EXPECT_EQ(SurfaceOp::Kind::EndLine, ops[0].kind);
    EXPECT_EQ(8, ops[0].fontSize);
    EXPECT_EQ(kGothic, ops[1].fontName);
    EXPECT_EQ(12, ops[1].fontSize);
    EXPECT_TRUE(ops[1].bold);
    EXPECT_FALSE(ops[1].underline);
}

TEST_F(QuestionText, AmpersandRules) {
    const struct {
        const char* sentence;
        std::vector<std::string> lines;
    } rows[] = {
        {"a&&b", {"", "  a&[b]"}},             // one "&", and the mode stays switched
        {"a&&&b", {"", "  a&&[b]"}},           // three: switched once, two printed
        {"x &open to the end", {"", "  x [open to the end]"}},
        {"&日本&語", {"", "  [日本]語"}},
        {"", {"", "  "}},
    };
    for (const auto& r : rows) {
        DrawQuestionText(p, r.sentence);
        EXPECT_EQ(r.lines, Lines(p.Form1.surface)) << r.sentence;
    }
}

TEST_F(QuestionText, WrapsBeforeAWordThatWouldPassColumn22) {
    const struct {
        const char* sentence;
        std::vector<std::string> lines;
    } rows[] = {
        // 16 columns, then "bbbbb" and its blank reach exactly 22: no wrap.
        {"aaaaaaaaaaaaaaa bbbbb cccc", {"", "  aaaaaaaaaaaaaaa bbbbb cccc"}},
        // 17 columns, then "wordsx" and its blank make 24: it moves down.
        {"aaaaaaaaaaaaaaaa wordsx end", {"", "  aaaaaaaaaaaaaaaa ", " wordsx end"}},
        // The last word never breaks the line.
        {"aaaaaaaaaaaaaaaaaaaa zzzzzzzzzzzz", {"", "  aaaaaaaaaaaaaaaaaaaa zzzzzzzzzzzz"}},
        {"NoBlanksAtAllInThisVeryLongSentenceWhatsoever", {"", "  NoBlanksAtAllInThisVeryLongSentenceWhatsoever"}},
        {"a abcdefghijklmnopqrstuvwxyz b", {"", "  a ", " abcdefghijklmnopqrstuvwxyz b"}},
        {"a abcdefghijklmnopqrstuvwxyz b c", {"", "  a ", " abcdefghijklmnopqrstuvwxyz ", " b c"}},
        // Underline marks are no columns, but they do count as positions
        // in the distance to the next blank.
        {"&aaaaaaaaaaaaaaa& bbbbb c", {"", "  [aaaaaaaaaaaaaaa] bbbbb c"}},
        {"&aaaaaaaaaaaaaaaa& bbbbb c", {"", "  [aaaaaaaaaaaaaaaa] ", " bbbbb c"}},
    };
    for (const auto& r : rows) {
        DrawQuestionText(p, r.sentence);
        EXPECT_EQ(r.lines, Lines(p.Form1.surface)) << r.sentence;
    }
}

TEST_F(QuestionText, RedrawEventsReprintOnlyATestSentence) {
    p.Form1.surface.Print("left over");
    const auto before = p.Form1.surface.ops();
    for (auto event : {form1::Form_Paint, form1::Form_Resize, form1::Form_GotFocus, form1::Form_LostFocus,
                       form2::Form_Deactivate, form3::Form_LostFocus}) {
        EXPECT_FALSE(Fire(event));
        EXPECT_EQ(before, p.Form1.surface.ops());  // not even cleared
    }
    p.m.QuestionSentence = "Go &now&.";
    for (auto event : {form1::Form_Paint, form1::Form_Resize, form1::Form_GotFocus, form1::Form_LostFocus,
                       form2::Form_Deactivate, form3::Form_LostFocus}) {
        p.Form1.surface.Clear();
        EXPECT_FALSE(Fire(event));
        EXPECT_EQ((std::vector<std::string>{"", "  Go [now]."}), Lines(p.Form1.surface));
    }
}

}  // namespace
}  // namespace kelvora::test

// SPDX-License-Identifier: GPL-3.0-or-later
// The number rules, the field and line reader, and 16-bit values.
#include <gtest/gtest.h>

#include <cmath>

#include "model/Int16.h"
#include "model/Tally.h"
#include "text/Csv.h"
#include "text/Numbers.h"
#include "text/TextReader.h"
#include "text/Utf8.h"

namespace kelvora {
namespace {

TEST(NumText, FollowsTheNumberToTextRule) {
    const struct {
        double value;
        const char* text;
    } rows[] = {
        {0, " 0"},          {5, " 5"},           {11, " 11"},         {-3, "-3"},
        {0.5, " .5"},       {-0.25, "-.25"},     {1.5, " 1.5"},       {-1.5, "-1.5"},
        {32767, " 32767"},  {-32768, "-32768"},  {1000000, " 1000000"}, {1e15, " 1000000000000000"},
        {1e20, " 100000000000000000000"},        {0.001, " .001"},    {1.0 / 3, " .333333333333333"},
        {2.0 / 3, " .666666666666667"},           {123456.789, " 123456.789"}, {950, " 950"},
        {431.5, " 431.5"},  {1e-5, " .00001"},   {-0.0, " 0"},
    };
    for (const auto& r : rows) EXPECT_EQ(r.text, NumText(r.value)) << r.value;
}

TEST(Int16, NeverLeavesItsRangeAndRoundsHalfToEven) {
    EXPECT_THROW(Int16::FromNumber(-32769), Overflow16);
    EXPECT_THROW(Int16::FromNumber(NAN), Overflow16);
    EXPECT_EQ((std::vector<int>{2, 4, -32768}), (std::vector<int>{Int16::FromNumber(2.5).value(), Int16::FromNumber(3.5).value(),
                                                                  Int16::FromNumber(-32768).value()}));
    Int16 w(-32767);
    SaturatingAdd(w, -3);  // counters stop at the edge
    EXPECT_EQ(-32768, w.value());
}

TEST(TextReader, ReadsFreeFormatFields) {
    TextReader in("  apple , りんご\r\n\"a, b\" ,c\r\nlone\r\nnext\r\n,\r\n\r\n\r\n");
    EXPECT_EQ(1, in.line());
    EXPECT_EQ("apple", in.ReadField());
    EXPECT_EQ("りんご", in.ReadField());
    EXPECT_EQ(2, in.line());
    EXPECT_EQ("a, b", in.ReadField());
    EXPECT_EQ("c", in.ReadField());
    // A line with one field: the next field comes from the next line.
    EXPECT_EQ("lone", in.ReadField());
    EXPECT_EQ("next", in.ReadField());
    EXPECT_TRUE(in.HasMoreFields());
    EXPECT_EQ("", in.ReadField());
    EXPECT_EQ("", in.ReadField());
    // Only empty lines are left: no more fields.
    EXPECT_FALSE(in.HasMoreFields());
}

TEST(TextReader, FieldsEndAtBareLineFeedsAndAtTheEnd) {
    TextReader in("1,2\n3");
    EXPECT_EQ("1", in.ReadField());
    EXPECT_EQ("2", in.ReadField());
    EXPECT_EQ("3", in.ReadField());
    EXPECT_FALSE(in.ReadField());
}

TEST(TextReader, ReadsWholeLinesWithTheirBlanks) {
    TextReader in("  two blanks \r\n\r\nbare lf\nlast");
    EXPECT_EQ("  two blanks ", in.ReadLine());
    EXPECT_EQ("", in.ReadLine());
    EXPECT_EQ("bare lf", in.ReadLine());
    EXPECT_EQ("last", in.ReadLine());
    EXPECT_TRUE(in.AtEof());
    EXPECT_FALSE(in.ReadLine());
}

TEST(Utf8, MessagesAreClippedToAScreenful) {
    const std::string line201 = std::string(200, 'x') + "y";
    const struct {
        std::string text, shown;
    } rows[] = {
        {"short\r\nlines", "short\r\nlines"},
        {std::string(200, 'x'), std::string(200, 'x')},
        {line201 + "\r\nnext", std::string(200, 'x') + "…\r\nnext"},
        {"単語" + std::string(10'000'000, 'a'), "単語" + std::string(198, 'a') + "…"},
    };
    for (const auto& r : rows) EXPECT_EQ(r.shown, ClipForScreen(r.text));
    std::string many;
    for (int i = 0; i < 40; ++i) many += "line\r\n";
    std::string thirty;
    for (int i = 0; i < 30; ++i) thirty += "line\r\n";
    EXPECT_EQ(thirty.substr(0, thirty.size() - 2) + "…", ClipForScreen(many));
}

}  // namespace
}  // namespace kelvora

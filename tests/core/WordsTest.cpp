// SPDX-License-Identifier: GPL-3.0-or-later
// The word editor's core: the find fold, the filters, the edits and the
// bytes they write, and a save the running drill follows.
#include "Fixture.h"
#include "run/MemoryDeck.h"
#include "run/Run.h"
#include "judge/Judge.h"
#include "platform/Codec.h"
#include "words/InProgram.h"
#include "words/WordTable.h"

namespace kelvora::test {
namespace {

struct FoldRow {
    const char* name;
    const char* text;
    const char* folded;
};
class FindFold : public ::testing::TestWithParam<FoldRow> {};
TEST_P(FindFold, FoldsAlike) { EXPECT_EQ(GetParam().folded, FoldForFind(GetParam().text)); }
INSTANTIATE_TEST_SUITE_P(
    Texts, FindFold,
    ::testing::Values(FoldRow{"LatinCase", "Apple PIE", "apple pie"}, FoldRow{"FullWidthLatin", "ＡＰＰＬＥ１２", "apple12"},
                      FoldRow{"KatakanaAsHiragana", "リンゴ", "りんご"}, FoldRow{"HalfWidthKana", "ﾘﾝｺﾞ", "りんご"},
                      FoldRow{"HalfVoicedMark", "ﾊﾟﾝ", "ぱん"}, FoldRow{"VoicedU", "ｳﾞｧ", "ゔぁ"},
                      FoldRow{"LoneMark", "ﾞa", "゛a"}, FoldRow{"KanjiKept", "林檎", "林檎"}),
    [](const auto& info) { return std::string(info.param.name); });

WordBook Book(const std::string& database, const std::string& record = "") {
    Result<WordBook> b = WordBook::FromBytes("eword", *EncodeCp932(database), record);
    EXPECT_TRUE(b.ok()) << b.error();
    return std::move(*b);
}

// Rows not edited keep their bytes; an added word goes where the order
// puts it, before the end record, with no counters; undo and redo.
TEST(WordBook, EditsKeepEveryOtherRowsBytesAndCounters) {
    const std::string before = "apple ,  りんご\r\n\"bank, the\",銀行\r\ncat *|cat 0 1,猫\r\nzzzzzzzz,終わり\r\n";
    WordBook b = Book(before, "5, 3,0,0\r\n1,1,1,1\r\n2,2,2,2\r\n");
    ASSERT_TRUE(b.Add("  bee ", "蜂").ok());
    ASSERT_TRUE(b.Rename(3, "dog").ok());  // cat, its mark and sound part kept
    ASSERT_TRUE(b.SetMark(0, true).ok());
    ASSERT_TRUE(b.SetMeaning(1, "銀行, 土手").ok());
    EXPECT_EQ(*EncodeCp932("apple *,りんご\r\n\"bank, the\",\"銀行, 土手\"\r\nbee,蜂\r\ndog *|cat 0 1,猫\r\nzzzzzzzz,終わり\r\n"),
              b.DatabaseBytes());
    EXPECT_EQ("5,3,0,0\r\n1,1,1,1\r\n0,0,0,0\r\n2,2,2,2\r\n0,0,0,0\r\n", b.RecordBytes());
    EXPECT_EQ((std::vector<CardRename>{{"cat", "dog"}}), b.Renames("s1"));
    ASSERT_TRUE(b.Delete(0).ok());
    EXPECT_EQ((std::vector<CardRename>{{"apple", "|deleted|s1|apple"}, {"cat", "dog"}}), b.Renames("s1"));
    EXPECT_EQ("Delete \"apple\"", b.UndoText());
    for (int i = 0; i < 5; ++i) b.Undo();
    EXPECT_FALSE(b.modified());
    EXPECT_EQ(*EncodeCp932(before), b.DatabaseBytes());
    EXPECT_EQ(2, b.Redo());  // the word added
    EXPECT_EQ("Rename \"cat\"", b.RedoText());
}

struct RefusedRow {
    const char* name;
    int row;  // -1: added
    const char* word;
    const char* meaning;
    const char* why;
};
const std::string kLongMeaning(401, 'x');
class Refused : public ::testing::TestWithParam<RefusedRow> {};
TEST_P(Refused, SaysWhyAndChangesNothing) {
    const RefusedRow& r = GetParam();
    WordBook b = Book("apple,りんご\r\nbank,銀行\r\nzzzzzzzz,終わり\r\n");
    Result<void> done;
    if (r.row >= 0) done = *r.word ? b.Rename(r.row, r.word) : b.SetMeaning(r.row, r.meaning);
    else if (const Result<int> added = b.Add(r.word, r.meaning); !added) done = Result<void>::Failed(added.error());
    EXPECT_EQ(r.why, done.error());
    EXPECT_FALSE(b.modified());
}
INSTANTIATE_TEST_SUITE_P(
    Entries, Refused,
    ::testing::Values(
        RefusedRow{"EmptyWord", -1, " ", "x", "A word cannot be empty."},
        RefusedRow{"EmptyMeaning", 0, "", "", "A meaning cannot be empty."},
        RefusedRow{"Quote", 0, "", "a \"b\"", "\"a \"b\"\" holds a double quote (\"), which a word database cannot hold."},
        RefusedRow{"NotInCodePage", -1, "tea", "お茶™", "\"お茶™\" holds \"™\", which code page 932 cannot hold."},
        RefusedRow{"SoundBar", 1, "b|x", "", "\"b|x\" holds '|', which Kelvora reads as the start of a sound part."},
        RefusedRow{"LineBreak", -1, "a\nb", "x", "A word cannot hold a line break: a word database keeps one word a line."},
        RefusedRow{"TooLong", 0, "", kLongMeaning.c_str(),
                   "A meaning can be at most 400 characters long; this one has 401."},
        RefusedRow{"JapaneseHeadword", -1, "日本", "x", "The word \"日本\" starts with \"日\": the words of 'eword' start with a Latin letter."},
        RefusedRow{"PastTheEnd", -1, "zzzzzzzzz", "x", "The word \"zzzzzzzzz\" would sort after the end record 'zzzzzzzz', which stays last."},
        RefusedRow{"Twice", 1, "apple *", "", "\"apple\" is in 'eword' already, on row 1."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WordTable, FiltersAndTheCsvTheImportReadsBack) {
    WordBook b = Book("apple,りんご\r\nbank *,銀行\r\ncat,ネコ\r\ndog,犬\r\n");
    const std::int64_t today = 20000;
    std::vector<WordMemoryPair> m(4);
    m[0][0] = {3, 0, 0.95, today + 4};
    m[1][1] = {6, 4, 0.40, today};  // a leech, due today
    m[2][0] = {1, 0, 0.70, today - 1};
    const auto folded = FoldedRows(b);
    const std::pair<WordFilter, std::vector<int>> rows[] = {
        {WordFilter::All, {0, 1, 2, 3}}, {WordFilter::Due, {1, 2}},       {WordFilter::New, {3}},
        {WordFilter::Marked, {1}},       {WordFilter::Leeches, {1}},      {WordFilter::Weakest, {1, 2, 0}}};
    for (const auto& [filter, shown] : rows) EXPECT_EQ(shown, FindWords(b, folded, m, "", filter, today)) << WordFilterName(filter);
    EXPECT_EQ(std::vector<int>{2}, FindWords(b, folded, m, "ﾈｺ", WordFilter::All, today));
    EXPECT_EQ(std::vector<int>{}, FindWords(b, folded, m, "eり", WordFilter::All, today));  // never across word and meaning
    std::vector<int> sorted{0, 1, 2, 3};
    SortWordRows(sorted, b, m, 9, true);  // recall now, E→J, highest first; none last
    EXPECT_EQ((std::vector<int>{0, 2, 1, 3}), sorted);
    EXPECT_EQ("word,meaning,marked,en_asked,en_score,ja_asked,ja_score,en_reviews,en_lapses,en_retrievability,en_due,"
              "ja_reviews,ja_lapses,ja_retrievability,ja_due,rank\r\nbank,銀行,*,0,0,0,0,0,0,,,6,4,0.400,2024-10-04,\r\n",
              WordsCsv(b, m, {1}));
}

// A save from the window while the drill runs: refused while a question
// waits; once stopped, the table follows the edits with this run's
// counters and the question keeps its words.
TEST_F(ProgramFixture, TheDrillFollowsASaveOnceStopped) {
    std::string words;
    for (int i = 0; i < 10; ++i) words += "w0" + std::to_string(i) + ",m0" + std::to_string(i) + "\r\n";
    dir.WriteCp932("qbx.txt", Settings(1, {"eword"}, -1, {"ptest"}, 10, 0, 20));
    dir.WriteCp932("eword.txt", words);
    dir.WriteCp932("eword.dat", "1,1,1,1\r\n2,2,2,2\r\n3,3,3,3\r\n4,4,4,4\r\n");
    dir.WriteCp932("ptest.txt", Crlf({"I have a &pen&.", "pen,pin,pan,pun,A", "c"}));
    ASSERT_FALSE(Fire(form1::Form_Load));
    p.rng.Script({0.0, 0.35, 0.2, 0.5, 0.55, 0.35, 0.75, 0.85, 0.95});  // w03 asked; choices w05 w07 w03 w09
    ASSERT_FALSE(Fire(form1::Command7_Click));
    ChooseAnswer(p, 2);
    WordBook book = *WordBook::Read(dir.path(), "eword");
    ASSERT_TRUE(book.Rename(3, "w03x").ok());
    ASSERT_TRUE(book.Add("w015", "new").ok());
    ASSERT_TRUE(book.Delete(0).ok());
    EXPECT_EQ("A question is on the screen: press Stop in the Kelvora window, then save. Nothing was changed, and the edits "
              "are still here.",
              SaveWordsInProgram(p, book).error());
    ASSERT_FALSE(Fire(form1::Command6_Click));  // Stop
    WordBook deletesAChoice = book;
    ASSERT_TRUE(deletesAChoice.Delete(deletesAChoice.RowOfKey("w05")).ok());
    EXPECT_EQ("\"w05\" is on the screen in the question stopped there, and these edits delete it: answer the question "
              "first. Nothing was changed.",
              SaveWordsInProgram(p, deletesAChoice).error());
    ASSERT_TRUE(SaveWordsInProgram(p, book).ok());
    EXPECT_EQ(10, p.m.WordCount);
    EXPECT_EQ("w03x", p.m.Word(p.m.QuestionIndex).word);
    EXPECT_EQ(3, p.m.QuestionIndex);
    EXPECT_EQ((std::array<int, 4>{5, 7, 3, 9}), p.question.choiceRows);
    EXPECT_EQ(" 9", p.m.Word(3).asked[0]);  // w03x: its record's 4, and this run's 5
    EXPECT_EQ("0", p.m.Word(1).asked[0]);   // w015, new
    EXPECT_EQ("w03x", p.session.reviews.at(0).word);
    // The memory modes' deck, made again: the word added is a new word, the
    // renamed one keeps this run's answer.
    const Result<Deck*> deck = MemoryDeck(p);
    ASSERT_TRUE(deck.ok()) << deck.error();
    EXPECT_FALSE((*deck)->Card(1, 0).Reviewed());
    EXPECT_EQ(1, (*deck)->Card(3, 0).reviews);
    EXPECT_EQ("2,2,2,2\r\n0,0,0,0\r\n3,3,3,3\r\n4,4,4,4\r\n0,0,0,0\r\n", dir.ReadBytes("eword.dat").substr(0, 45));
    EXPECT_EQ("w01,m01\r\nw015,new\r\n", dir.ReadBytes("eword.txt").substr(0, 19));
}

}  // namespace
}  // namespace kelvora::test

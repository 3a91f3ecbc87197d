// SPDX-License-Identifier: GPL-3.0-or-later
// Importing word lists: every format and encoding, the rules of the word
// database, and a round trip through the program's own loader.
#include <gtest/gtest.h>

#include "EucJp.h"
#include "Fixture.h"
#include "Import.h"
#include "files/QuestionBanks.h"
#include "platform/Codec.h"
#include "startup/CommandLine.h"
#include "text/Utf8.h"

namespace kelvora::test {
namespace {

using namespace kelvora::import;

Outcome ImportNow(const Request& request) { return kelvora::import::Run(request); }

// The words and meanings the program's own loader reads from NAME.txt.
std::vector<std::string> Loaded(const TempDir& dir, const std::string& name) {
    ScratchProgram s;
    s.p.dir = dir.path();
    s.p.m.WordDbName[0] = name;
    const LoadResult r = LoadWordDatabase(s.p);
    EXPECT_TRUE(r.ok()) << r.failure;
    std::vector<std::string> out;
    for (int i = 0; i < s.p.m.WordCount; ++i) out.push_back(s.p.m.Word(i).word + "=" + s.p.m.Word(i).meaning);
    return out;
}

std::string Utf16(const std::string& utf8, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    const auto units = *DecodeCharset(utf8, "UTF-8");  // validates
    for (std::size_t i = 0; i < units.size();) {
        std::size_t n = 0;
        const char32_t c = DecodeAt(units, i, &n);
        i += n;
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

TEST(Import, EveryFormatAndEncodingRoundTripsThroughTheLoader) {
    const std::string csv = "English,日本語\r\nbanana,バナナ\r\n\"a, b\",\"x, y\"\r\n\r\n\"say \"\"hi\"\"\",挨拶\r\ncat,猫\r\n";
    const std::vector<std::string> csvWords{"a, b=x, y", "banana=バナナ", "cat=猫", "say \"hi\"=挨拶", "zzzzzzzz=終わり"};
    const struct {
        const char* name;
        std::string bytes;
        Format format;
        std::vector<std::string> words;
        const char* encoding;
    } rows[] = {
        {"CSV, header, quotes, an empty line", csv, Format::Csv, csvWords, "UTF-8"},
        {"CSV with a byte-order mark", "\xEF\xBB\xBF" + csv, Format::Csv, csvWords, "UTF-8"},
        {"CSV in UTF-16 LE", Utf16(csv, false), Format::Csv, csvWords, "UTF-16 LE"},
        {"CSV in UTF-16 BE", Utf16(csv, true), Format::Csv, csvWords, "UTF-16 BE"},
        {"CSV in code page 932", *EncodeCp932(csv), Format::Csv, csvWords, "code page 932"},
        {"tab-separated, Japanese first", "front\tback\nバナナ\tbanana\n猫\tcat\n", Format::Tsv,
         {"banana=バナナ", "cat=猫", "zzzzzzzz=終わり"}, "UTF-8"},
        {"notes export with markup and sound", "#separator:tab\n#html:true\n#tags column:3\n"
         "<b>cat</b>[sound:cat.mp3]\t猫&nbsp;です<br>ねこ\tanimals\ndog\t犬\tanimals\n",
         Format::Notes, {"cat=猫 です ねこ", "dog=犬", "zzzzzzzz=終わり"}, "UTF-8"},
        {"KVTML, locales, two Japanese translations", R"(<?xml version="1.0" encoding="UTF-8"?>
<kvtml version="2.0"><identifiers>
<identifier id="0"><locale>ja</locale></identifier><identifier id="1"><locale>en</locale></identifier>
<identifier id="2"><locale>ja-Hira</locale></identifier></identifiers><entries>
<entry id="0"><translation id="0"><text>猫</text></translation><translation id="1"><text>cat</text></translation>
<translation id="2"><text>ねこ</text></translation></entry>
<entry id="1"><translation id="1"><text>dog</text></translation></entry>
</entries></kvtml>)", Format::Kvtml, {"cat=猫、ねこ", "zzzzzzzz=終わり"}, "UTF-8"},
        // As KWordQuiz saves it: both columns marked English, empty rows kept.
        {"KVTML of KWordQuiz", R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE kvtml PUBLIC "kvtml2.dtd" "http://edu.kde.org/kvtml/kvtml2.dtd">
<kvtml version="2.0"><information><generator>kwordquiz 22.12.3</generator></information><identifiers>
<identifier id="0"><name>Column 1</name><locale>en</locale></identifier>
<identifier id="1"><name>Column 2</name><locale>en</locale></identifier></identifiers><entries>
<entry id="0"><translation id="0"><text>ねこ</text></translation><translation id="1"><text>cat</text></translation></entry>
<entry id="1"><translation id="0"/><translation id="1"/></entry><entry id="2"/></entries></kvtml>)",
         Format::Kvtml, {"cat=ねこ", "zzzzzzzz=終わり"}, "UTF-8"},
    };
    for (const auto& r : rows) {
        TempDir dir;
        dir.WriteBytes("source", r.bytes);
        const Outcome o = ImportNow({dir.path() / "source", "eimport", dir.path()});
        EXPECT_EQ(0, o.status) << r.name << "\n" << o.summary;
        EXPECT_EQ(r.words, Loaded(dir, "eimport")) << r.name << "\n" << o.summary;
        EXPECT_NE(std::string::npos, o.summary.find(std::string("(") + (r.format == Format::Csv ? "CSV" : r.format == Format::Tsv ? "tab-separated text" : r.format == Format::Notes ? "a flash-card notes export" : "KVTML") + ", " + r.encoding + ")"))
            << r.name << "\n" << o.summary;
    }
}

TEST(Import, RowsAWordDatabaseCannotHoldAreSkippedAndSaid) {
    TempDir dir;
    dir.WriteBytes("list.csv",
                   "word,meaning\n"                 // 1: header
                   "apple,りんご\n"                  // 2
                   "solo\n"                         // 3: one field
                   "émigré,移住者\n"                 // 4: not Latin first, in an English-headed bank
                   "smile,😀\n"                     // 5: not in code page 932
                   "zzzzzzzzz,the end\n"            // 6: after the end record
                   "pipe,a|b\n"                     // 7: a sound part
                   "\"q,\"\"x\"\"\",引用\n"          // 8: a comma and a quote
                   "APPLE,林檎\n"                    // 9: duplicate
                   ",空\n");                        // 10: no word
    const Outcome o = ImportNow({dir.path() / "list.csv", "eword", dir.path()});
    EXPECT_EQ(0, o.status);
    EXPECT_EQ((std::vector<std::string>{"apple=りんご、林檎", "zzzzzzzz=終わり"}), Loaded(dir, "eword"));
    EXPECT_EQ("Imported 1 word from " + (dir.path() / "list.csv").string() + " (CSV, UTF-8) into " +
                  (dir.path() / "eword.txt").string() + ".\n"
                  "The English words were taken from column 1.\n"
                  "Skipped 8 rows:\n"
                  "  line 1: a header row (\"word\", \"meaning\")\n"
                  "  line 3: only one field; the word and its meaning need two\n"
                  "  line 4: the word \"émigré\" does not start with a Latin letter, which a database named 'eword' needs\n"
                  "  line 5: \"😀\" holds \"😀\", which code page 932 cannot hold\n"
                  "  line 6: the word \"zzzzzzzzz\" sorts after the end record 'zzzzzzzz'\n"
                  "  line 7: \"a|b\" holds '|', which Kelvora reads as the start of a sound part\n"
                  "  line 8: \"q,\"x\"\" holds both a comma and a double quote, which a word database cannot hold together\n"
                  "  line 10: no English word\n"
                  "Merged 1 duplicate words (their meanings joined):\n"
                  "  line 9: \"APPLE\", first on line 2\n",
              o.summary);
}

TEST(Import, LimitsExistingFilesAndUsage) {
    TempDir dir;
    std::string many;
    for (int i = 20001; i > 0; --i) many += "w" + std::to_string(i) + ",意味\n";  // unsorted
    dir.WriteBytes("many.csv", many);
    const Outcome o = ImportNow({dir.path() / "many.csv", "big", dir.path()});
    EXPECT_EQ(0, o.status);
    EXPECT_EQ(20000, o.written);
    EXPECT_NE(std::string::npos, o.summary.find("Left out 1 words past the first 20,000"));
    const auto words = Loaded(dir, "big");
    ASSERT_EQ(20001u, words.size());  // and the end record
    EXPECT_EQ("w10=意味", words[0]);      // sorted; w1, the last input row, was left out
    EXPECT_EQ("zzzzzzzz=終わり", words.back());

    // An existing database is never replaced without force; nothing else is written.
    dir.WriteBytes("small.csv", "cat,猫\n");
    const Outcome kept = ImportNow({dir.path() / "small.csv", "big", dir.path()});
    EXPECT_EQ(1, kept.status);
    EXPECT_EQ(dir.path().string() + "/big.txt is there already; Kelvora leaves it as it is. Give another name, or add "
                                    "--force to replace it.\n", kept.summary);
    EXPECT_EQ(20001u, Loaded(dir, "big").size());
    Request forced{dir.path() / "small.csv", "big.txt", dir.path()};
    forced.force = true;
    EXPECT_EQ(0, ImportNow(forced).status);
    EXPECT_EQ(2u, Loaded(dir, "big").size());

    dir.WriteBytes("empty.csv", "word,meaning\n\n");
    EXPECT_EQ(1, ImportNow({dir.path() / "empty.csv", "none", dir.path()}).status);
    EXPECT_EQ(1, ImportNow({dir.path() / "missing.csv", "none", dir.path()}).status);
    EXPECT_EQ(1, ImportNow({dir.path() / "small.csv", "../escape", dir.path()}).status);
    EXPECT_FALSE(dir.Exists("none.txt"));
}

TEST(Import, TheDictionaryGivesCommonWordsFirst) {
    std::string edict = "　？？？ /EDICT header/\n"
                        "猫 [ねこ] /(n) (1) cat/(P)/\n"
                        "犬 [いぬ] /(n) dog/hound/(P)/\n"
                        "希少 [きしょう] /(adj-na) rare/scarce/\n"
                        "ネコ /(n) cat/(P)/\n"
                        "行く [いく] /(v5k-s) to go/(P)/\n";
    const std::string euc = EucJp(edict);
    const ReadResult r = ReadEdict(euc, 3);
    std::vector<std::string> got;
    for (const Entry& e : r.entries) got.push_back(e.first + "=" + e.second);
    EXPECT_EQ((std::vector<std::string>{"cat=猫、ネコ", "dog=犬", "hound=犬"}), got);  // "rare" is not common; "to go" two words
    TempDir dir;
    dir.WriteBytes("edict", euc);
    Request request{dir.path() / "edict", "edict", dir.path()};
    request.edictWords = 10;
    const Outcome o = ImportNow(request);
    EXPECT_EQ(0, o.status);
    EXPECT_NE(std::string::npos, o.summary.find("CC BY-SA 3.0"));
    EXPECT_EQ((std::vector<std::string>{"cat=猫、ネコ", "dog=犬", "hound=犬", "rare=希少", "scarce=希少", "zzzzzzzz=終わり"}),
              Loaded(dir, "edict"));
}

}  // namespace
}  // namespace kelvora::test

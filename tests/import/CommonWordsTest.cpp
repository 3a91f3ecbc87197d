// SPDX-License-Identifier: GPL-3.0-or-later
// The bank of common words: its rules on a few words of made-up data, and
// on Debian's real data (when installed) a sample of meanings a person read.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "CommonWords.h"
#include "EucJp.h"
#include "Fixture.h"

namespace kelvora::test {
namespace {

using import::CommonWord;
using import::RankCommonWords;

// WordNet's files for a few senses: the index line points at its synset's
// byte offset in the data file.
void WriteWordNet(const TempDir& dir, const std::map<std::string, std::vector<std::pair<std::string, std::string>>>& senses) {
    const char* pos[] = {"noun", "verb", "adj", "adv"};
    for (const char* p : pos) {
        std::string index, data = "  1 licence\n";
        for (const auto& [key, synsets] : senses) {
            if (key.substr(0, key.find(':')) != p) continue;
            const std::string lemma = key.substr(key.find(':') + 1);
            std::string offsets;
            for (const auto& [words, gloss] : synsets) {
                char offset[9];
                std::snprintf(offset, sizeof offset, "%08zu", data.size());
                data += std::string(offset) + " 00 " + p[0] + " 01 " + words + " 0 000 | " + gloss + "\n";
                offsets += std::string(" ") + offset;
            }
            index += lemma + " " + p[0] + " " + std::to_string(synsets.size()) + " 0 " + std::to_string(synsets.size()) +
                     " 0" + offsets + "\n";
        }
        dir.WriteBytes(std::string("wordnet/index.") + p, index);
        dir.WriteBytes(std::string("wordnet/data.") + p, data);
        dir.WriteBytes(std::string("wordnet/") + p + ".exc", std::string(p) == "verb" ? "ran run\n" : "");
    }
}

TEST(CommonWords, RanksLemmasLeavesOutWhatALearnerShouldNotDrillAndPicksMeanings) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "scowl");
    std::filesystem::create_directories(dir.path() / "wordnet");
    dir.WriteBytes("scowl/english-words.10", "apple\napples\nrun\nrunning\nran\nthe\nof\nhey\nlout\nbad\n");
    dir.WriteBytes("scowl/english-words.20", "banana\n");
    // Sense counts: run 40, apple 10, banana 30 (a level lower), bad 50.
    dir.WriteBytes("wordnet/cntlist.rev", "run%2:38:00:: 1 40\napple%1:13:00:: 1 10\nbanana%1:13:00:: 1 30\n"
                                          "bad%3:00:00:: 1 50\nlout%1:18:00:: 1 2\n");
    WriteWordNet(dir, {{"verb:run", {{"run", "move fast by using one's feet; \"Don't run--you'll be late\""}}},
                       {"noun:apple", {{"apple", "fruit with red or yellow or green skin; \"an apple a day\""}}},
                       {"noun:banana", {{"banana", "elongated crescent-shaped yellow fruit"}}},
                       {"adj:bad", {{"bad", "having undesirable or negative qualities"}}},
                       {"noun:lout", {{"lout", "(offensive) an awkward stupid person"}}}});
    dir.WriteBytes("edict", EucJp("　？？？ /EDICT header/\n"
                                  "走る [はしる] /(v5r,vi) (1) to run/(2) to travel/(P)/\n"
                                  "ラン /(n) run/(P)/\n"
                                  "駆ける [かける] /(v1,vi) to run/\n"
                                  "林檎 [りんご] /(n) (uk) apple/(P)/\n"
                                  "アップル /(n) apple/(P)/\n"
                                  "りんごはん /(n) (ksb:) apple/(P)/\n"
                                  "バナナ /(n) banana/(P)/\n"
                                  "実芭 [みば] /(n) banana/\n"
                                  "芭蕉 [ばしょう] /(n) banana/\n"
                                  "芭蕉布 [ばしょうふ] /(n) cloth/\n"
                                  "悪い [わるい] /(adj-i) bad/(P)/\n"
                                  "良く [よく] /(adv) (not) bad/(P)/\n"
                                  "不良 [ふりょう] /(adj-na) (un)bad/(P)/\n"
                                  "糞 [くそ] /(n) (vulg) bad/\n"
                                  "野郎 [やろう] /(n) (derog) lout/\n"
                                  "やあ /(int) hey/(P)/\n"
                                  "斗 [と] /(n) to/\n"));
    const Result<std::vector<CommonWord>> ranked =
        RankCommonWords({dir.path() / "scowl", dir.path() / "wordnet", dir.path() / "edict"});
    ASSERT_TRUE(ranked.ok()) << ranked.error();
    std::vector<std::string> order;
    for (const CommonWord& w : *ranked) order.push_back(w.word);
    // "of" first (a preposition, never counted in WordNet), then "run" once
    // for its three forms, "hey" (a common interjection), "bad" without its
    // vulgar translation, "apple", and "banana" from the next level; not
    // "the" (an article) or "lout" (offensive).
    EXPECT_EQ((std::vector<std::string>{"of", "run", "hey", "bad", "apple", "banana"}), order);
    const CommonWord& run = (*ranked)[1];
    EXPECT_EQ((std::vector<std::string>{"走る", "ラン", "駆ける"}), run.meanings);  // common, native, then the rest
    EXPECT_EQ("verb", run.partOfSpeech);
    EXPECT_EQ("Don't run--you'll be late", run.example);
    EXPECT_EQ((std::vector<std::string>{"〜の"}), (*ranked)[0].meanings);
    EXPECT_EQ("preposition", (*ranked)[0].partOfSpeech);
    EXPECT_EQ((std::vector<std::string>{"悪い"}), (*ranked)[3].meanings);
    EXPECT_EQ((std::vector<std::string>{"りんご", "アップル"}), (*ranked)[4].meanings);  // read as it is written
    // Alike but for the words made from them: the one in "芭蕉布" first.
    EXPECT_EQ((std::vector<std::string>{"バナナ", "芭蕉", "実芭"}), (*ranked)[5].meanings);
    EXPECT_EQ("of\t1\tpreposition\t\nrun\t2\tverb\tDon't run--you'll be late\n",
              import::WordInfoText({(*ranked)[0], (*ranked)[1]}));
    // A package not installed is named.
    EXPECT_EQ("The EDICT dictionary (" + (dir.path() / "none").string() +
                  ") cannot be read. Install it with: sudo apt-get install edict",
              RankCommonWords({dir.path() / "scowl", dir.path() / "wordnet", dir.path() / "none"}).error());
}

// On Debian's data: a hundred words drawn at random from the 3,000 most
// frequent, with the first meanings a person reading them took as right.
TEST(CommonWords, OnDebiansDataTheFirstMeaningsOfASampleAreRight) {
    if (!std::filesystem::exists("/usr/share/dict/scowl") || !std::filesystem::exists("/usr/share/wordnet") ||
        !std::filesystem::exists("/usr/share/edict/edict"))
        GTEST_SKIP() << "scowl, wordnet-base or edict is not installed";
    const Result<std::vector<CommonWord>> ranked = RankCommonWords();
    ASSERT_TRUE(ranked.ok()) << ranked.error();
    ASSERT_GE(ranked->size(), 20000u);
    std::map<std::string, const CommonWord*> byWord;
    for (std::size_t i = 0; i < 3000; ++i) byWord[(*ranked)[i].word] = &(*ranked)[i];
    for (const char* left : {"the", "running", "ran", "fuck", "shit", "bastard", "you"}) EXPECT_FALSE(byWord.count(left)) << left;
    // Each word with the first meanings a reader accepts.
    const std::map<std::string, std::vector<std::string>> sample = {
        {"window", {"窓"}}, {"facility", {"施設"}}, {"swallow", {"飲む", "飲み込む"}}, {"constantly", {"絶えず", "常に"}},
        {"road", {"道路", "道"}}, {"bar", {"酒場", "棒"}}, {"eleven", {"十一"}}, {"conventional", {"伝統的", "従来"}},
        {"approximately", {"約", "およそ"}}, {"despair", {"絶望"}}, {"index", {"索引"}}, {"rating", {"格付け", "評価"}},
        {"brain", {"脳"}}, {"amateur", {"素人"}}, {"objective", {"客観", "客観的", "目的", "目標"}}, {"total", {"総計", "合計"}},
        {"doubt", {"疑義", "疑い", "疑問"}}, {"west", {"西"}}, {"drama", {"劇", "ドラマ"}}, {"palace", {"宮殿"}},
        {"baby", {"赤ん坊", "赤ちゃん"}}, {"agency", {"仲介", "機関", "代理店"}}, {"praise", {"賛美", "褒める"}},
        {"fish", {"魚"}}, {"steal", {"盗む"}}, {"maybe", {"ひょっとすると", "多分"}}, {"wooden", {"木製"}},
        {"ticket", {"切符"}}, {"passion", {"情熱"}}, {"kitchen", {"台所"}}, {"transfer", {"移籍", "移動", "移す"}},
        {"numerous", {"多い"}}, {"laugh", {"笑う"}}, {"dirty", {"汚い"}}, {"loss", {"損失"}}, {"execution", {"処刑"}},
        {"compel", {"強いる"}}, {"lightning", {"電光", "稲妻"}}, {"metal", {"金属"}}, {"welcome", {"歓迎"}},
        {"assignment", {"配属", "割り当て"}}, {"editor", {"編集者"}}, {"wound", {"傷"}}, {"faint", {"ほのか", "かすか"}},
        {"counter", {"窓口", "カウンター"}}, {"law", {"法律"}}, {"definition", {"定義"}}, {"bell", {"鈴", "鐘"}},
        {"soon", {"ほどなく", "すぐ", "まもなく"}}, {"departure", {"出発"}}, {"coach", {"馬車", "コーチ"}},
        {"bind", {"綴じる", "縛る"}}, {"atom", {"原子"}}, {"probably", {"多分"}}, {"library", {"図書館"}},
        {"card", {"札", "カード"}}, {"hesitate", {"ためらう"}}, {"random", {"無作為"}}, {"doctrine", {"主義"}},
        {"group", {"集団"}}, {"chart", {"図表"}}, {"worker", {"勤労者", "労働者"}}, {"many", {"多い", "多く"}},
        {"dilemma", {"窮地", "ジレンマ"}}, {"exhibit", {"出展", "展示"}}, {"raid", {"来襲", "襲撃"}},
        {"cheerful", {"明朗", "陽気"}}, {"investment", {"投資"}}, {"reject", {"拒む", "断る"}}, {"low", {"低い"}},
        {"prompt", {"促す"}}, {"religion", {"宗教"}}, {"glad", {"嬉しい"}}, {"wet", {"湿っぽい", "濡れた"}},
        {"capitalism", {"資本主義"}}, {"net", {"網"}}, {"pump", {"汲む", "ポンプ"}}, {"promptly", {"さっさ", "至急", "すぐ"}},
        {"unaware", {"無自覚"}}, {"individual", {"個体", "個人"}}, {"blame", {"非難", "責める", "咎める"}},
        {"acknowledge", {"認める"}}, {"possess", {"持つ", "所有する"}}, {"interfere", {"干渉", "邪魔する"}},
        {"barely", {"かろうじて", "やっと"}}, {"beach", {"磯", "浜", "海岸"}}, {"output", {"出力", "生産高"}},
        {"unable", {"不能"}}, {"variable", {"変数", "可変"}}, {"future", {"将来", "未来"}},
        {"item", {"項目", "品目"}}, {"sufficiently", {"十分"}}, {"how", {"どのように"}}, {"lonely", {"寂しい"}},
        {"sense", {"感覚", "意味"}}, {"improve", {"改善", "改良"}}, {"strictly", {"厳に", "厳しく"}}, {"appeal", {"訴える", "魅力"}},
        {"eye", {"目", "眼"}}, {"winter", {"冬"}}};
    ASSERT_EQ(100u, sample.size());
    int right = 0;
    std::string wrong;
    for (const auto& [word, accepted] : sample) {
        const auto it = byWord.find(word);
        const bool ok = it != byWord.end() && !it->second->meanings.empty() &&
                        std::find(accepted.begin(), accepted.end(), it->second->meanings.front()) != accepted.end();
        right += ok;
        if (!ok) wrong += " " + word + "=" + (it == byWord.end() || it->second->meanings.empty() ? "-" : it->second->meanings.front());
    }
    // What the reader found: 88 right (the rest wrong or loose: the test's
    // message lists them); no fewer, as the rules change.
    EXPECT_GE(right, 88) << right << " right; not:" << wrong;
}

}  // namespace
}  // namespace kelvora::test

// SPDX-License-Identifier: GPL-3.0-or-later
// Code page 932, and files written whole or not at all.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "Fixture.h"
#include "platform/Codec.h"
#include "platform/TextFile.h"

namespace kelvora::test {
namespace {

TEST(Codec, ShowsInvalidBytesInsteadOfDroppingThem) {
    EXPECT_EQ("a\xEF\xBF\xBD" "b", DecodeCp932("a\x80" "b"));
    EXPECT_EQ("\xEF\xBF\xBD", DecodeCp932("\xa0"));
    EXPECT_EQ("x\xEF\xBF\xBD", DecodeCp932("x\x82"));  // a lead byte cut off at the end
}

TEST(Codec, TheDecodingTableAgreesWithIconv) {
    // Every single byte and every lead/trail pair, decoded both ways.
    std::string all;
    for (int b = 1; b < 256; ++b) {
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        if (!lead) {
            all += static_cast<char>(b);
            all += 'x';
            continue;
        }
        for (int t = 0x40; t <= 0xFC; ++t) {
            const std::string pair{static_cast<char>(b), static_cast<char>(t)};
            ASSERT_EQ(DecodeCp932Iconv(pair), DecodeCp932(pair)) << b << " " << t;
            all += pair + std::string(static_cast<std::size_t>(t % 19), 'a');  // ASCII runs of 0 to 18 bytes between
        }
    }
    EXPECT_EQ(DecodeCp932Iconv(all), DecodeCp932(all));
}

TEST(Codec, TellsUtf8FromCodePage932) {
    EXPECT_EQ("りんご", DecodeFileText("\xEF\xBB\xBF" "りんご"));
    EXPECT_EQ("りんご", DecodeFileText("りんご"));
    EXPECT_EQ("りんご", DecodeFileText("\x82\xe8\x82\xf1\x82\xb2"));
    EXPECT_EQ("plain", DecodeFileText("plain"));
    EXPECT_EQ("", DecodeFileText("\xEF\xBB\xBF"));
    // "Unicode" as common editors save it: UTF-16 with a byte-order mark.
    EXPECT_EQ("a,り\r\n", DecodeFileText(std::string("\xFF\xFE" "a\0,\0\x8A\x30\r\0\n\0", 12)));
    EXPECT_EQ("a,り", DecodeFileText(std::string("\xFE\xFF\0a\0,\x30\x8A", 8)));
    EXPECT_EQ("a\xEF\xBF\xBD", DecodeFileText(std::string("\xFF\xFE" "a\0\x00\xD8", 6)));  // a lone surrogate shows
}

TEST(Codec, EncodesCodePage932OrSaysWhatItCannotHold) {
    EXPECT_EQ(std::string("\x82\xe8\x82\xf1\x82\xb2"), EncodeCp932("りんご"));
    EXPECT_EQ(std::string("\x81\x60"), EncodeCp932("\xEF\xBD\x9E"));
    std::string bad;
    EXPECT_FALSE(EncodeCp932("ok 😀 no", &bad));
    EXPECT_EQ("😀", bad);
    EXPECT_FALSE(EncodeCp932("한국", &bad));
    EXPECT_EQ("한", bad);
}

TEST(TextFile, WritesCodePage932AndReplacesAtomicallyOrNotAtAll) {
    TempDir dir;
    const auto file = dir.path() / "a.dat";
    ASSERT_TRUE(WriteTextFileAtomic(file, "りんご,1\r\n").ok);
    EXPECT_EQ(std::string("\x82\xe8\x82\xf1\x82\xb2,1\r\n"), dir.ReadBytes("a.dat"));
    EXPECT_EQ("りんご,1\r\n", *ReadTextFile(file, 100));
    ASSERT_TRUE(WriteTextFileAtomic(file, "old\r\n").ok);
    EXPECT_EQ("old\r\n", dir.ReadBytes("a.dat"));

    // Every failure leaves the old file whole.
    const WriteResult bad = WriteTextFileAtomic(file, "😀\r\n");
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ("the character \"😀\" cannot be written in code page 932", bad.reason);
    EXPECT_EQ("old\r\n", dir.ReadBytes("a.dat"));

    ::chmod(file.c_str(), 0444);
    const WriteResult readOnly = WriteTextFileAtomic(file, "new\r\n");
    EXPECT_FALSE(readOnly.ok);
    EXPECT_EQ("the file is read-only", readOnly.reason);
    EXPECT_EQ("old\r\n", dir.ReadBytes("a.dat"));

    const WriteResult noFolder = WriteTextFileAtomic(dir.path() / "missing" / "b.dat", "x\r\n");
    EXPECT_FALSE(noFolder.ok);
    EXPECT_EQ("the folder does not exist", noFolder.reason);

    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++files;
    EXPECT_EQ(1, files);
}

TEST(TextFile, ReadsOnlyPlainFilesWithinTheirLimit) {
    TempDir dir;
    dir.WriteBytes("a.txt", "12345");
    ::mkfifo((dir.path() / "fifo.txt").c_str(), 0644);
    const struct {
        std::filesystem::path path;
        std::uintmax_t limit;
        bool read;
        const char* problem;
    } rows[] = {
        {dir.path() / "a.txt", 5, true, ""},
        {dir.path() / "none.txt", 5, false, ""},  // missing: no problem to tell
        {dir.path() / "a.txt" / "x", 5, false, ""},
        {dir.path() / "a.txt", 4, false, "it is 1 KB, far more than this kind of file holds; Kelvora reads it only up to 1 KB"},
        {dir.path(), 5, false, "it is not a plain file"},
        {dir.path() / "fifo.txt", 5, false, "it is not a plain file"},  // and no wait for a writer
    };
    for (const auto& r : rows) {
        const FileRead f = ReadFileBytes(r.path, r.limit);
        EXPECT_EQ(r.read, f.content.has_value()) << r.path;
        EXPECT_EQ(r.problem, f.problem) << r.path;
    }
}

}  // namespace
}  // namespace kelvora::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/LearningRecord.h"

#include "files/FileLimits.h"
#include "files/Prefetch.h"
#include "platform/TextFile.h"
#include "text/Numbers.h"
#include "text/TextReader.h"

namespace kelvora {

namespace {

// Records written by an editor may start with a UTF-8 byte-order mark.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A record file's bytes. Records hold numbers, so they are read and
// written as bytes, never decoded: whatever a field holds goes back out
// exactly as it came, and nothing read can stop "END" from saving. A file
// that is there but cannot be a record is not used, and the learner is
// told; "END" leaves it alone too.
std::optional<std::string> ReadRecordFile(Program& p, const std::string& name) {
    FileRead file = ReadStartupFile(p, name, kMaxRecordBytes, false);
    if (!file) {
        if (!file.problem.empty())
            p.host.MsgBox("The learning record '" + name + "' is not used: " + file.problem +
                          ".\r\nKelvora starts without it and will not write over it.");
        return std::nullopt;
    }
    if (file.content->starts_with(kByteOrderMark)) file.content->erase(0, kByteOrderMark.size());
    return std::move(*file.content);
}

// Why a record file must not be written over, or nothing: a file far
// larger than a record is something else, kept as it is.
std::optional<std::string> NotARecord(const Program& p, const std::string& name) {
    if (StatPath(p.File(name)).size > kMaxRecordBytes) return "the file there is far larger than a learning record and is kept as it is";
    return std::nullopt;
}

}  // namespace

void ReadWordRecordInto(std::string_view bytes, WordRows& table) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    TextReader in(bytes);
    for (std::size_t i = 0; i < table.size() && in.HasMoreFields(); ++i) {
        std::array<std::string, 4> f;
        for (auto& field : f) {
            auto value = in.ReadField();
            if (!value) return;  // a short last row: the rows before it stay
            field = std::move(*value);
        }
        WordRow& row = table[i];
        row.asked[kEnglishToJapanese] = std::move(f[0]);
        row.score[kEnglishToJapanese] = std::move(f[1]);
        row.asked[kJapaneseToEnglish] = std::move(f[2]);
        row.score[kJapaneseToEnglish] = std::move(f[3]);
    }
}

void LoadWordRecord(Program& p) {
    const std::string name = p.m.WordDbName[0] + ".dat";
    // Read into the table with the database ahead of start-up, if it was.
    if (p.prefetch && p.prefetch->TookWordRecord(p.File(name))) return;
    if (const auto bytes = ReadRecordFile(p, name)) ReadWordRecordInto(*bytes, p.m.WordTbl);
}

void LoadTestRecord(Program& p) {
    const auto text = ReadRecordFile(p, p.m.TestDbName[0] + ".dat");
    if (!text) return;
    TextReader in(*text);
    for (std::size_t i = 0; i < static_cast<std::size_t>(kTestRecRows) && in.HasMoreFields(); ++i) {
        QuestionTally row;
        for (Int16* cell : {&row.asked, &row.score}) {
            const auto field = in.ReadField();
            const auto value = field ? ParseNumber(*field) : std::nullopt;
            if (!value) return;
            try {
                *cell = Int16::FromNumber(*value);
            } catch (const Overflow16&) {
                return;
            }
        }
        p.m.TestRec[i] = row;
    }
}

std::string WordRecordText(const Program& p) {
    std::string out;
    out.reserve(static_cast<std::size_t>(p.m.WordCount) * 12);
    for (int i = 0; i < p.m.WordCount; ++i) {
        const WordRow& r = p.m.WordTbl[static_cast<std::size_t>(i)];
        for (int d : {kEnglishToJapanese, kJapaneseToEnglish}) {
            out += r.asked[static_cast<std::size_t>(d)];
            out += ',';
            out += r.score[static_cast<std::size_t>(d)];
            out += d == kEnglishToJapanese ? "," : "\r\n";
        }
    }
    return out;
}

std::string TestRecordText(const Program& p) {
    std::string out;
    for (int q = 0; q < p.m.TestCount; ++q) {
        const auto& r = p.m.TestRec[static_cast<std::size_t>(q)];
        out += NumText(r.asked) + "," + NumText(r.score) + "\r\n";
    }
    return out;
}

bool SaveLearningRecords(Program& p) {
    const std::pair<std::string, std::string> files[] = {
        {p.loadedWordDb + ".dat", WordRecordText(p)},
        {p.loadedTestDb + ".dat", TestRecordText(p)},
    };
    for (const auto& [name, bytes] : files) {
        WriteResult r;
        if (const auto why = NotARecord(p, name))
            r = {false, false, *why};
        else
            r = WriteFileAtomic(p.File(name), bytes, *p.sys);
        if (r.ok) continue;
        p.host.MsgBox("The learning record '" + name + "' could not be saved: " + r.reason + ".\r\n" +
                      (r.replaced ? "The file on disk may hold the new record or the old one; this run's answers are "
                                    "still here.\r\n"
                                  : "The file on disk is unchanged and this run's answers are still here.\r\n") +
                      "Fix the cause and press END again.");
        return false;
    }
    return true;
}

}  // namespace kelvora

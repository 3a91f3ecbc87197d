// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/QuestionBanks.h"

#include "files/FileLimits.h"
#include "files/Prefetch.h"
#include "platform/TextFile.h"
#include "text/Numbers.h"
#include "text/TextReader.h"
#include "text/Utf8.h"

namespace kelvora {

namespace {

std::string NotFound(const std::string& name) {
    return "File '" + name + "' not found. Check setup 'qbx.txt'";
}

// A database is English-headed when its name starts with a character from
// "A" to "z" (codes 65 to 122).
bool IsEnglishHeaded(const std::string& name) {
    const char32_t c = FirstCode(name);
    return c >= 65 && c <= 122;
}

}  // namespace

WordTable ParseWordDatabase(const FileRead& text, const std::string& name, WordRows& rows) {
    WordTable out;
    if (!text) {
        out.failure = NotFound(name) + WhyNotUsed(text.problem);
        return out;
    }
    const bool english = IsEnglishHeaded(name);
    TextReader in(*text);
    int i = 0;
    while (in.HasMoreFields()) {
        if (i >= kWordRows) {
            out.failure = NotFound(name) + "\r\n(it holds more than 20,001 records; split it into smaller databases)";
            return out;
        }
        auto word = in.ReadField();
        auto meaning = in.ReadField();
        // The last record may lack its meaning: the file simply ends there.
        WordRow& row = rows[static_cast<std::size_t>(i)];
        row.word = word ? std::move(*word) : std::string();
        row.meaning = meaning ? std::move(*meaning) : std::string();
        if (english && FirstCode(row.word) > 122) {
            out.failure = "Data error '" + name + ".txt'  No=" + NumText(i) + "  " + row.word;
            return out;
        }
        row.asked = row.score = {"0", "0"};
        ++i;
    }
    out.count = i;
    return out;
}

LoadResult LoadWordDatabase(Program& p) {
    Model& m = p.m;
    const std::string& name = m.WordDbName[0];
    // Made ahead into a table of its own, it becomes the model's; a model
    // made with files read ahead has no table until here.
    auto ahead = p.prefetch ? p.prefetch->TakeWordTable(p.File(name + ".txt"), name) : std::nullopt;
    if (ahead && ahead->table.failure.empty()) m.WordTbl.swap(ahead->rows);
    if (m.WordTbl.size() != kWordRows) m.WordTbl.resize(kWordRows);
    const WordTable table =
        ahead ? std::move(ahead->table)
              : ParseWordDatabase(ReadStartupFile(p, name + ".txt", kMaxWordDatabaseBytes, true), name, m.WordTbl);
    if (!table.failure.empty()) return LoadResult::Failed(table.failure);
    m.WordCount = table.count;
    p.loadedWordDb = name;
    return {};
}

LoadResult LoadTestDatabase(Program& p) {
    Model& m = p.m;
    const std::string& name = m.TestDbName[0];
    const FileRead text = ReadStartupFile(p, name + ".txt", kMaxTestDatabaseBytes, true);
    if (!text) return LoadResult::Failed(NotFound(name) + WhyNotUsed(text.problem));
    TextReader in(*text);
    int i = 0;
    while (auto line = in.ReadLine()) {
        if (i >= kMaxTestFileLines)
            return LoadResult::Failed("The test database '" + name + ".txt' has more than 2,998 lines.\r\n"
                                      "It can hold at most 999 questions of three lines each.");
        m.TestLine[static_cast<std::size_t>(i)] = std::move(*line);
        ++i;
    }
    // Lines beyond the file are empty: clear what an earlier load left.
    for (int k = i; k < kTestLines; ++k) m.TestLine[static_cast<std::size_t>(k)].clear();
    m.TestCount = Int16::FromWide((i + 1) / 3);
    p.loadedTestDb = name;
    for (int q = 0; q <= m.TestCount; ++q) {
        const std::string& question = m.TestLine[static_cast<std::size_t>(3 * q)];
        const std::string& choices = m.TestLine[static_cast<std::size_t>(3 * q + 1)];
        if (choices.find("\\n") != std::string::npos || question.find("\\n") != std::string::npos)
            return LoadResult::Failed("Data error found : Line=" + NumText(q) + "*3 :" + question);
        m.TestRec[static_cast<std::size_t>(q)] = {};
    }
    return {};
}

}  // namespace kelvora

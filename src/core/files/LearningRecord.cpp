#include "files/LearningRecord.h"

#include "platform/TextFile.h"
#include "text/Numbers.h"
#include "text/TextReader.h"

namespace kelvora {

void LoadWordRecord(Program& p) {
    const auto text = ReadTextFile(p.File(p.m.WordDbName[0] + ".dat"));
    if (!text) return;
    TextReader in(*text);
    for (std::size_t i = 0; i < static_cast<std::size_t>(kWordRows) && in.HasMoreFields(); ++i) {
        std::array<std::string, 4> f;
        for (auto& field : f) {
            auto value = in.ReadField();
            if (!value) return;  // a short last row: the rows before it stay
            field = std::move(*value);
        }
        WordRow& row = p.m.WordTbl[i];
        row.asked[kEnglishToJapanese] = std::move(f[0]);
        row.score[kEnglishToJapanese] = std::move(f[1]);
        row.asked[kJapaneseToEnglish] = std::move(f[2]);
        row.score[kJapaneseToEnglish] = std::move(f[3]);
    }
}

void LoadTestRecord(Program& p) {
    const auto text = ReadTextFile(p.File(p.m.TestDbName[0] + ".dat"));
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
    for (const auto& [name, text] : files) {
        const WriteResult r = WriteTextFileAtomic(p.File(name), text);
        if (!r.ok) {
            p.host.MsgBox("The learning record '" + name + "' could not be saved: " + r.reason +
                          ".\r\nThe file on disk is unchanged and this run's answers are still here.\r\n"
                          "Fix the cause and press END again.");
            return false;
        }
    }
    return true;
}

}  // namespace kelvora

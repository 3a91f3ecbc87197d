#include "files/LearningRecord.h"

#include "Events.h"
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
        row.enAsked = std::move(f[0]);
        row.enScore = std::move(f[1]);
        row.jaAsked = std::move(f[2]);
        row.jaScore = std::move(f[3]);
    }
}

void LoadTestRecord(Program& p) {
    const auto text = ReadTextFile(p.File(p.m.TestDbName[0] + ".dat"));
    if (!text) return;
    TextReader in(*text);
    for (std::size_t i = 0; i < static_cast<std::size_t>(kTestRecRows) && in.HasMoreFields(); ++i) {
        std::array<Int16, 2> row;
        for (auto& cell : row) {
            const auto field = in.ReadField();
            const auto value = field ? ParseNumber(*field) : std::nullopt;
            if (!value) return;
            try {
                cell = Int16::FromNumber(*value);
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
        out += r.enAsked;
        out += ',';
        out += r.enScore;
        out += ',';
        out += r.jaAsked;
        out += ',';
        out += r.jaScore;
        out += "\r\n";
    }
    return out;
}

std::string TestRecordText(const Program& p) {
    std::string out;
    for (int q = 0; q < p.m.TestCount; ++q) {
        const auto& r = p.m.TestRec[static_cast<std::size_t>(q)];
        out += NumText(r[0]) + "," + NumText(r[1]) + "\r\n";
    }
    return out;
}

namespace form1 {

// "END": both learning records, then the end. A record that cannot be
// written is reported and the program stays open, so nothing of the run is
// lost and the learner can fix the cause and press "END" again.
void Command5_Click(Program& p) {
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
            return;
        }
    }
    p.host.End();
}

}  // namespace form1

}  // namespace kelvora

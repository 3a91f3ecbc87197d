// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FixPatch.h"

#include <cmath>

#include "files/FileLimits.h"
#include "platform/TextFile.h"
#include "text/Numbers.h"
#include "text/TextReader.h"
#include "text/Utf8.h"

namespace kelvora {

MergeOutcome MergeFixPatch(Program& p) {
    Model& m = p.m;
    const std::string& patchName = m.WordDbName[1];
    if (std::floor(std::fabs(m.WordDbCount)) < 2) {
        p.host.MsgBox("No fix patch is set: the second name of the word-database list names the patch file.\r\n"
                      "Nothing was merged.");
        return MergeOutcome::NotMerged;
    }
    const FileRead text = ReadTextFile(p.File(patchName + ".txt"), kMaxWordDatabaseBytes);
    if (!text) {
        p.host.MsgBox("File '" + patchName + "' not found. Check setup 'qbx.txt'" + WhyNotUsed(text.problem) +
                      "\r\nNothing was merged.");
        return MergeOutcome::NotMerged;
    }

    TextReader in(*text);
    int j = 0;
    // The table words lower-cased once each, as the walk reaches them.
    std::string rowWord = m.WordCount > 0 ? LowerAscii(m.WordTbl[0].word) : std::string();
    while (in.HasMoreFields()) {
        const std::string w = in.ReadField().value_or(std::string());
        const std::string meaning = in.ReadField().value_or(std::string());
        const std::string key = LowerAscii(w);
        if (key > "zzzzzzzz") {
            p.host.MsgBox(w + "  " + meaning + " " + NumText(j));
            return MergeOutcome::WordPastTheEnd;
        }
        while (j < m.WordCount && key > rowWord) {
            ++j;
            if (j < m.WordCount) rowWord = LowerAscii(m.WordTbl[static_cast<std::size_t>(j)].word);
        }
        if (j >= m.WordCount) {
            // The table ended before a word at or after the patch word: its
            // end record is missing. Never read past the loaded rows.
            p.host.MsgBox("The fix patch '" + patchName + ".txt' holds '" + w + "', but the word database '" +
                          m.WordDbName[0] + ".txt' has no record at or after it.\r\n"
                          "A word database used with a fix patch ends with a 'zzzzzzzz' record.\r\n"
                          "The patch was merged up to that word.");
            return MergeOutcome::Stopped;
        }
        if (key == rowWord) m.WordTbl[static_cast<std::size_t>(j)].meaning = meaning;
    }
    p.host.MsgBox("Fix patch Completed");
    return MergeOutcome::Merged;
}

}  // namespace kelvora

#include "files/Settings.h"

#include <cmath>

#include "platform/TextFile.h"
#include "startup/Startup.h"
#include "text/Numbers.h"
#include "text/TextReader.h"

namespace kelvora {

namespace {

std::string Where(int line) { return "The settings file 'qbx.txt', line " + std::to_string(line) + ": "; }

double ReadNumber(Program& p, TextReader& in, const char* what) {
    const int line = in.line();
    const auto field = in.ReadField();
    if (!field) FailStartup(p, Where(line) + "the file ends where the " + what + " should be.");
    const auto value = ParseNumber(*field);
    if (!value) FailStartup(p, Where(line) + "the " + what + " is not a number: '" + *field + "'");
    return *value;
}

// How many names a signed count announces; more than the list holds stops
// start-up.
int NameCount(Program& p, double count, int line, const char* what) {
    const double n = std::floor(std::fabs(count));
    if (n > kNameSlots)
        FailStartup(p, Where(line) + "it lists " + NumText(n).substr(1) + " " + what + " names; at most " +
                           std::to_string(kNameSlots) + " are allowed.");
    return static_cast<int>(n);
}

void ReadNames(Program& p, TextReader& in, int count, std::vector<std::string>& names, std::string& box,
               const char* what) {
    for (int i = 0; i < count; ++i) {
        const int line = in.line();
        auto name = in.ReadLine();
        if (!name) FailStartup(p, Where(line) + "the file ends where " + what + " name " + std::to_string(i + 1) +
                                      " of " + std::to_string(count) + " should be.");
        names[static_cast<std::size_t>(i)] = *name;
        box += "\r\n" + *name;
    }
}

}  // namespace

void ReadSettings(Program& p) {
    const auto text = ReadTextFile(p.File(kSettingsFile));
    if (!text)
        FailStartup(p, "The settings file 'qbx.txt' cannot be opened.\r\nKelvora looks for it in " +
                           p.dir.string() + " and cannot start without it.");
    TextReader in(*text);
    Model& m = p.m;
    const int wordLine = in.line();
    m.WordDbCount = ReadNumber(p, in, "number of word databases");
    const int wordCount = NameCount(p, m.WordDbCount, wordLine, "word-database");
    const int testLine = in.line();
    m.TestDbCount = ReadNumber(p, in, "number of test databases");
    const int testCount = NameCount(p, m.TestDbCount, testLine, "test-database");
    ReadNames(p, in, wordCount, m.WordDbName, p.Form3.Text1.text, "word-database");
    ReadNames(p, in, testCount, m.TestDbName, p.Form3.Text2.text, "test-database");
    m.SetupQmd = ReadNumber(p, in, "mode number");
    m.AutoFix = ReadNumber(p, in, "Auto FIX patch value");
    const int waitLine = in.line();
    const double wait = ReadNumber(p, in, "wait time");
    try {
        m.WaitSec = Int16::FromNumber(wait);
    } catch (const Overflow16&) {
        FailStartup(p, Where(waitLine) + "the wait time is outside -32768 to 32767: " + NumText(wait));
    }
}

}  // namespace kelvora

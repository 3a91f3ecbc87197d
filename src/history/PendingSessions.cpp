// SPDX-License-Identifier: GPL-3.0-or-later
#include "PendingSessions.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "text/Csv.h"

namespace kelvora {

namespace {

const char* const kHeading =
    "# Sessions Kelvora could not add to history.sqlite3 yet. It adds them the next time it writes the history;"
    " keep this file.";

std::string Number(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

bool Whole(const std::string& field, std::int64_t* v) {
    if (field.empty()) return false;
    char* end = nullptr;
    *v = std::strtoll(field.c_str(), &end, 10);
    return *end == '\0';
}

bool Real(const std::string& field, double* v) {
    if (field.empty()) return false;
    char* end = nullptr;
    *v = std::strtod(field.c_str(), &end);
    return *end == '\0';
}

template <class Int>
bool WholeInto(const std::string& field, Int* v) {
    std::int64_t w = 0;
    if (!Whole(field, &w)) return false;
    *v = static_cast<Int>(w);
    return true;
}

bool ParseSession(const std::vector<std::string>& f, SessionRecord* s) {
    // The pace came later: a file without it ran at the usual pace.
    if (f.size() != 16 && f.size() != 17) return false;
    if (f.size() == 17 && !WholeInto(f[16], &s->timeScale)) return false;
    s->wordDb = f[3];
    s->testDb = f[4];
    std::istringstream estimates(f[12]);
    for (double v; estimates >> v;) s->estimates.push_back(v);
    return Whole(f[1], &s->started) && Whole(f[2], &s->ended) && Real(f[5], &s->mode) &&
           WholeInto(f[6], &s->wordAsked[0]) && WholeInto(f[7], &s->wordRight[0]) && WholeInto(f[8], &s->wordAsked[1]) &&
           WholeInto(f[9], &s->wordRight[1]) && WholeInto(f[10], &s->testAsked) && WholeInto(f[11], &s->testRight) &&
           WholeInto(f[13], &s->known[0]) && WholeInto(f[14], &s->known[1]) && WholeInto(f[15], &s->neverAsked);
}

bool ParseReview(const std::vector<std::string>& f, Review* r) {
    // The grade, the answer time and the choice came later: a file
    // without them is graded by the rule.
    if (f.size() != 8 && f.size() != 11) return false;
    r->word = f[1];
    std::int64_t right = 0, timedOut = 0;
    bool ok = WholeInto(f[2], &r->direction) && Whole(f[3], &r->at) && Whole(f[4], &right) &&
              Whole(f[5], &timedOut) && WholeInto(f[6], &r->secondsLeft) && Real(f[7], &r->mode);
    r->right = right != 0;
    r->timedOut = timedOut != 0;
    r->grade = GradeOf(r->right, r->timedOut);
    if (f.size() == 11) {
        ok = ok && WholeInto(f[8], &r->grade) && r->grade >= kAgain && r->grade <= kEasy && WholeInto(f[9], &r->responseMs);
        r->chosen = f[10];
    }
    return ok && (r->direction == 0 || r->direction == 1);
}

}  // namespace

std::string PendingText(const SessionRecord& s) {
    std::string estimates;
    for (double v : s.estimates) estimates += (estimates.empty() ? "" : " ") + Number(v);
    std::string out = "session," + std::to_string(s.started) + "," + std::to_string(s.ended) + "," + CsvField(s.wordDb) +
                      "," + CsvField(s.testDb) + "," + Number(s.mode);
    for (int v : {s.wordAsked[0], s.wordRight[0], s.wordAsked[1], s.wordRight[1], s.testAsked, s.testRight})
        out += "," + std::to_string(v);
    out += "," + estimates;
    for (int v : {s.known[0], s.known[1], s.neverAsked, s.timeScale}) out += "," + std::to_string(v);
    out += "\n";
    for (const Review& r : s.reviews)
        out += "review," + CsvField(r.word) + "," + std::to_string(r.direction) + "," + std::to_string(r.at) + "," +
               (r.right ? "1" : "0") + "," + (r.timedOut ? "1" : "0") + "," + std::to_string(r.secondsLeft) + "," +
               Number(r.mode) + "," + std::to_string(r.grade) + "," + std::to_string(r.responseMs) + "," +
               CsvField(r.chosen) + "\n";
    return out;
}

bool ParsePending(const std::string& text, std::vector<SessionRecord>* sessions, std::string* error) {
    sessions->clear();
    std::size_t start = 0;
    std::vector<std::string> fields;
    for (int line = 1; start < text.size(); ++line) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string l = text.substr(start, end - start);
        start = end + 1;
        if (l.empty() || l[0] == '#') continue;
        bool ok = SplitCsvLine(l, &fields) && !fields.empty();
        if (ok && fields[0] == "session") {
            sessions->emplace_back();
            ok = ParseSession(fields, &sessions->back());
        } else if (ok && fields[0] == "review" && !sessions->empty()) {
            sessions->back().reviews.emplace_back();
            ok = ParseReview(fields, &sessions->back().reviews.back());
        } else {
            ok = false;
        }
        if (!ok) {
            *error = "line " + std::to_string(line) + " is not one Kelvora wrote";
            sessions->clear();
            return false;
        }
    }
    return true;
}

std::string PendingHeading() { return std::string(kHeading) + "\n"; }

}  // namespace kelvora

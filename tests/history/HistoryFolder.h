// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A data folder with a word database and a history, for the history's
// tests and the commands that read and write it.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Fixture.h"
#include "SqliteHistory.h"
#include "Verbs.h"

namespace kelvora::test {

namespace fs = std::filesystem;

inline std::string Query(const fs::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    std::string out;
    sqlite3_exec(
        db, sql.c_str(),
        [](void* o, int n, char** values, char**) {
            auto* s = static_cast<std::string*>(o);
            for (int i = 0; i < n; ++i) *s += std::string(i ? "|" : "") + (values[i] ? values[i] : "NULL");
            *s += "\n";
            return 0;
        },
        &out, nullptr);
    sqlite3_close(db);
    return out;
}

// The value of a result that must have one: a failure fails the test.
template <class T>
T Ok(const Result<T>& r) {
    EXPECT_TRUE(r.ok()) << r.error();
    return r ? *r : T{};
}
// Why a result failed; empty when it did not.
template <class T>
std::string Why(const Result<T>& r) {
    return r ? std::string() : r.error();
}

inline SessionRecord Session(std::int64_t ended, std::vector<Review> reviews) {
    SessionRecord s;
    s.started = ended - 600;
    s.ended = ended;
    s.wordDb = "eword";
    s.testDb = "ptest";
    s.mode = 5;
    s.reviews = std::move(reviews);
    return s;
}

struct Folder : ::testing::Test {
    TempDir dir;
    fs::path file = dir.path() / kHistoryFile;
    const std::int64_t t0 = 1'767'225'600;  // 2026-01-01 00:00 UTC
    ScopedZone zone{"UTC"};
    void SetUp() override {
        dir.WriteCp932("qbx.txt", Settings(1, {"eword"}, 1, {"ptest"}, 5));
        dir.WriteCp932("eword.txt", Crlf({"apple,りんご", "bank|words 0 2,銀行", "cat *,猫", "\"a, b\",カンマ"}));
    }
    cli::Outcome Run(std::vector<std::string> args) {
        args.insert(args.end(), {"--data-dir", dir.path().string()});
        return cli::RunVerb(ParseOptions(args), dir.path(), t0 + 30 * 86400);
    }
};


// Runs `body` in a child process (as a user who owns nothing, when we are
// root and `dropRoot`), ended after `seconds` if it hangs; its exit status,
// 128 + the signal when it was killed.
template <class Body>
int InChild(Body body, bool dropRoot, unsigned seconds = 20) {
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(seconds);
        if (dropRoot && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace kelvora::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "platform/Codec.h"

namespace kelvora::test {

ScopedZone::ScopedZone(const char* zone) {
    const char* tz = std::getenv("TZ");
    saved_ = tz ? tz : "";
    had_ = tz != nullptr;
    setenv("TZ", zone, 1);
    tzset();
}

ScopedZone::~ScopedZone() {
    if (had_)
        setenv("TZ", saved_.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("kelvora-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    // Read-only files made by a test must not stop the clean-up.
    for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
        std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

void TempDir::WriteCp932(const std::string& name, const std::string& utf8) const {
    const auto bytes = EncodeCp932(utf8);
    ASSERT_TRUE(bytes.has_value()) << name;
    WriteBytes(name, *bytes);
}

void TempDir::WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TempDir::ReadBytes(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

std::string Settings(int wordSign, const std::vector<std::string>& words, int testSign,
                     const std::vector<std::string>& tests, int mode, int autoFix, int wait) {
    auto num = [](long v) { return (v < 0 ? "-" + std::to_string(-v) : " " + std::to_string(v)) + " "; };
    std::vector<std::string> lines{num(wordSign * static_cast<long>(words.size())),
                                   num(testSign * static_cast<long>(tests.size()))};
    lines.insert(lines.end(), words.begin(), words.end());
    lines.insert(lines.end(), tests.begin(), tests.end());
    lines.push_back(num(mode));
    lines.push_back(num(autoFix));
    lines.push_back(num(wait));
    lines.push_back("EOF");
    return Crlf(lines);
}

void ScratchProgram::WriteStandardFiles(int mode, int wait) {
    dir.WriteCp932("qbx.txt", Settings(1, {"eword", "efix", "etrain"}, 1, {"ptest"}, mode, 0, wait));
    dir.WriteCp932("eword.txt", Crlf({"apple,りんご", "bank,銀行", "zzzzzzzz,終わり"}));
    dir.WriteCp932("ptest.txt", Crlf({"I have a &pen&.", "pen,pin,pan,pun,A", "pen はペン。", "Go &now&.",
                                      "now,new,know,no,A", "now は今。"}));
}

bool ScratchProgram::Fire(EventHandler event) {
    try {
        event(p);
    } catch (const ProgramEnd&) {
        return true;
    }
    return false;
}

std::vector<std::string> ScratchProgram::Choices() const {
    std::vector<std::string> out;
    for (const Control* box : {&p.Form1.Text2, &p.Form1.Text3, &p.Form1.Text4, &p.Form1.Text5}) out.push_back(box->text);
    return out;
}

}  // namespace kelvora::test

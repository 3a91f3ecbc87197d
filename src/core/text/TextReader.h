// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a decoded text file in the program's two styles: free-format fields
// and whole lines. Both may be mixed on one file, as the settings file does.
// CR LF and a bare LF both end a line.
#include <concepts>
#include <optional>
#include <string>
#include <string_view>

namespace kelvora {

class TextReader {
public:
    // Reads `text` where it stands: the caller keeps it alive meanwhile
    // (a file's text is not copied once more to be read).
    explicit TextReader(std::string_view text) : text_(text) {}
    // A temporary text would be gone before it is read.
    template <class S>
        requires std::same_as<S, std::string>
    explicit TextReader(S&&) = delete;

    // True at the very end of the text (whole-line reading).
    bool AtEof() const { return pos_ >= text_.size(); }
    // False once only blanks and line ends are left, so a file that ends in
    // an empty line or two still ends cleanly after its last field.
    bool HasMoreFields() const;

    // The next free-format field: leading blanks skipped; a field in double
    // quotes may hold commas; otherwise a comma or the line end ends it and
    // trailing blanks are dropped. Fields run on across line ends. Nothing
    // when the text is used up.
    std::optional<std::string> ReadField();
    // The next whole line, blanks kept, without its line end. Nothing at the
    // end of the text.
    std::optional<std::string> ReadLine();

    // Where the next read starts, in bytes of the text.
    std::size_t pos() const { return pos_; }
    // The 1-based number of the line the next read starts on.
    int line() const { return line_; }

private:
    bool AtLineEnd() const;
    void SkipLineEnd();
    void SkipBlanks();

    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
    std::string_view text_;
    std::size_t pos_ = 0;
    mutable std::size_t nextContent_ = kUnknown;  // the first character after pos_ that is no blank or line end
    int line_ = 1;
};

}  // namespace kelvora

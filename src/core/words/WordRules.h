// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a word database can hold in a field, for every writer of one (the
// import and the word editor alike).
#include <optional>
#include <string>

namespace kelvora {

// The word that sorts at the end of a database in order (a fix patch needs
// one; imports write it).
inline constexpr const char* kEndRecordWord = "zzzzzzzz";

// The longest word and meaning the editor takes, in characters: more than a
// question box can show.
inline constexpr std::size_t kMaxWordChars = 100;
inline constexpr std::size_t kMaxMeaningChars = 400;

// A field as the word database's reader takes it back: quoted when it
// holds a comma or starts with a quote. Nothing when no writing can give it
// back (a quote in a field that needs quoting).
std::optional<std::string> AsField(const std::string& s);

// Why a field's text cannot go into a word database, naming the character
// at fault, or nothing: '|' (the start of a sound part), a character code
// page 932 lacks, or a comma with a double quote.
std::optional<std::string> FieldProblem(const std::string& text);

// A text quoted in a message, shortened to 40 characters.
std::string QuotedForMessage(const std::string& text);

}  // namespace kelvora

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The largest file of each kind Kelvora reads: far above what its format
// can hold, so only a file that is not what its name says is refused, and
// refused before it is read.
#include <cstdint>
#include <string>

namespace kelvora {

inline constexpr std::uintmax_t kMaxSettingsBytes = std::uintmax_t{1} << 20;       // 202 names
inline constexpr std::uintmax_t kMaxWordDatabaseBytes = std::uintmax_t{64} << 20;  // 20,001 records; also the fix patch
inline constexpr std::uintmax_t kMaxTestDatabaseBytes = std::uintmax_t{32} << 20;  // 2,998 lines
inline constexpr std::uintmax_t kMaxRecordBytes = std::uintmax_t{16} << 20;        // 20,001 rows of counters
inline constexpr std::uintmax_t kMaxTrainingListBytes = std::uintmax_t{16} << 20;  // 2,001 words
inline constexpr std::uintmax_t kMaxReviewLogBytes = std::uintmax_t{128} << 20;    // a review CSV: millions of reviews
inline constexpr std::uintmax_t kMaxSampleBytes = std::uintmax_t{64} << 20;        // a sample file, pronunciations too

// A second line for a message about a file that is there but cannot be
// used: "\r\n(it is not a plain file)"; nothing for a missing file.
inline std::string WhyNotUsed(const std::string& problem) {
    return problem.empty() ? std::string() : "\r\n(" + problem + ")";
}

}  // namespace kelvora

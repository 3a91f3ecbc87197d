// SPDX-License-Identifier: GPL-3.0-or-later
// A review CSV as "kelvora reviews --import" reads it, and what the rows it
// takes do to the memory model: replayed, listed as due, fitted.
#include <cstdint>
#include <string>

#include "memory/Fit.h"
#include "memory/Outlook.h"
#include "review/ReviewCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ReadReviews read = ParseReviewsCsv(text, [](const std::string& w) { return w.size() % 3 != 0; }, 2'000'000'000);
    ReviewLog log;
    for (const ImportedReview& r : read.rows) {
        log.cards.push_back({"eword", r.word, r.direction});
        log.events.push_back({static_cast<std::uint32_t>(log.cards.size() - 1), r.at,
                              static_cast<std::uint8_t>(r.grade), r.secondsLeft, 0, r.responseMs, ReviewLog::kNoChoice});
    }
    static_cast<void>(DueCsv(log, MemorySettings{}, 2'000'000'000));
    static_cast<void>(ReviewsCsv(log));
    static_cast<void>(fsrs::Evaluate(fsrs::SequencesOf(log), fsrs::kDefaultParameters));
    return 0;
}

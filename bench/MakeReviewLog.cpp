// SPDX-License-Identifier: GPL-3.0-or-later
// A synthetic learner's review log as the CSV that "kelvora reviews
// --import" reads, on the words of the benchmark's bank, ending today:
//   make_review_log CARDS REVIEWS_PER_CARD > reviews.csv
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "BenchData.h"
#include "SyntheticLearner.h"
#include "review/ReviewCsv.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CARDS REVIEWS_PER_CARD\n", argv[0]);
        return 2;
    }
    kelvora::support::LearnerShape shape;
    shape.cards = std::atoi(argv[1]);
    shape.reviewsPerCard = std::atoi(argv[2]);
    shape.start = static_cast<std::int64_t>(std::time(nullptr)) - 1000 * 86400;
    shape.database = "bank";
    shape.word = [](int c) { return kelvora::bench::Word(c / 2); };
    const std::string csv = kelvora::ReviewsCsv(kelvora::support::SyntheticLog(shape));
    std::fwrite(csv.data(), 1, csv.size(), stdout);
    return 0;
}

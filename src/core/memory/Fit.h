// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fitting the model's 21 parameters to a learner's own review log, by
// minimising log loss as the published FSRS optimiser does: the initial
// stabilities pre-trained from each card's first interval, then gradient
// descent (Adam, cosine-annealed rate, five epochs) over each card's review
// sequence, recent reviews weighing more, parameters kept in their bounds.
#include <climits>
#include <cstdint>
#include <vector>

#include "memory/Fsrs.h"
#include "review/Review.h"

namespace kelvora::fsrs {

// A card's reviews as the model sees them: whole learning days since the
// review before (0 for the first), and the grade.
struct Step {
    double elapsedDays = 0;
    int grade = 0;
    std::int64_t at = 0;
};
using Sequence = std::vector<Step>;

// The log's cards as sequences (each card's reviews in time order).
std::vector<Sequence> SequencesOf(const ReviewLog& log);

struct Metrics {
    double logLoss = 0;   // weighted binary cross-entropy of the predicted recall
    double rmseBins = 0;  // root mean square error of recall, binned by interval, length and lapses
};

struct FitResult {
    int reviews = 0;       // in the log
    int reviewsUsed = 0;   // predicted: each card's later reviews on a later day
    bool fitted = false;   // false: too few reviews, the defaults stay
    Parameters weights = kDefaultParameters;
    Metrics defaults;
    Metrics result;
};

// Fitting needs at least this many reviews to predict.
inline constexpr int kFewestReviewsToFit = 400;

struct FitSettings;
// The published optimiser's settings unless told otherwise (FitStages.h).
FitResult Fit(const std::vector<Sequence>& cards, const FitSettings& settings);
FitResult Fit(const std::vector<Sequence>& cards);

// How well parameters predict the log, as the published optimiser's own
// evaluation measures it (recent reviews weighing more); only the reviews
// made at or after `from` (Unix seconds) count, the earlier ones shaping
// the memory they are predicted from.
Metrics Evaluate(const std::vector<Sequence>& cards, const Parameters& w, std::int64_t from = INT64_MIN);

// An honest figure: fitted on the reviews before the last fifth of the
// learner's learning days, evaluated on the reviews of that fifth, beside
// the defaults on the same reviews.
struct OutOfSample {
    bool enough = false;   // enough days and reviews on both sides to say
    int trainedOn = 0;     // reviews predicted before the split
    int testedOn = 0;      // reviews predicted after it
    bool fitted = false;   // the fit kept its own parameters (else the defaults)
    Metrics defaults;
    Metrics result;
};
OutOfSample TestOutOfSample(const std::vector<Sequence>& cards);

}  // namespace kelvora::fsrs

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stages of the fit, one function each, in the order Fit runs them:
// the reviews the model predicts and their weights, the outliers left out,
// the first stabilities pre-trained, then gradient descent in batches
// (Adam, a cosine-annealed rate). Each is the published optimiser's own.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "memory/Fit.h"

namespace kelvora::fsrs {

// The published optimiser's settings, in one place.
struct FitSettings {
    int epochs = 5;
    int batchPredictions = 512;  // reviews predicted in one step of descent, at most
    double learningRate = 4e-2;  // the first; annealed to 0 over all steps
    int longestSequence = 256;   // reviews of a card past this are not predicted
    std::uint64_t shuffleSeed = 2023;
    int fewestReviews = kFewestReviewsToFit;  // below this the defaults stay
    int fewestToDescend = 64;                 // below this only the first stabilities are fitted
};

inline constexpr double kInitialStabilityMax = 100;

// A review the model predicts: card `card`'s review `index`, a later
// review on a later day than the one before, with its weight in the loss.
struct Item {
    int card;
    int index;
    double weight = 1;
};

// Reviews of a card on a later day than the one before, up to `index`.
int LongTermReviews(const Sequence& s, int index);
double FirstLongTermInterval(const Sequence& s);

// Every review the model predicts.
std::vector<Item> ItemsOf(const std::vector<Sequence>& cards);

// Recent reviews weigh more: 0.25 for the oldest, rising to 1 for the
// newest, by rank in time (a cubic).
void WeighByRecency(const std::vector<Sequence>& cards, std::vector<Item>& items);

// The binary cross-entropy of a predicted recall against what happened.
double Bce(double r, double label);

// Cards seen once after their first day (for pre-training), and the
// reviews to train on; cards whose first interval is rare for their first
// grade, or too long, are left out, as the published optimiser leaves them.
struct TrainingSets {
    std::vector<Item> init;
    std::vector<Item> train;
};
TrainingSets LeaveOutOutliers(const std::vector<Sequence>& cards, const std::vector<Item>& items);

// Recall seen after a first interval of `days`, over `count` cards.
struct AverageRecall {
    double days, recall, count;
};

// The loss of a first stability against the recall seen after each first
// interval, plus a small pull toward the default.
double InitialLoss(const std::vector<AverageRecall>& points, double s0, double defaultS0);

// The first stability of one grade that fits its points best (their recall
// smoothed toward the learner's average first), by ternary search.
double SearchInitialStability(const std::vector<AverageRecall>& points, double averageRecall, double defaultS0);

// The first stabilities of the four grades from those seen (by grade, with
// how many cards saw each): out of order ones set equal, gaps filled from
// the grades beside them. Nothing without any.
std::optional<std::array<double, 4>> SmoothAndFill(std::map<int, double> s0, const std::map<int, int>& counts);

struct Pretrained {
    std::array<double, 4> s0;
    std::map<int, int> counts;  // first reviews seen, by grade
};
std::optional<Pretrained> PretrainInitialStability(const std::vector<Sequence>& cards, const std::vector<Item>& init,
                                                   double averageRecall);

// The cards of one step of descent (shortest sequences first), with the
// weight of each review the model predicts (0 where it predicts none).
struct Batch {
    std::vector<int> cards;
    std::vector<std::vector<double>> weights;  // by card, by review
    int predictions = 0;
};
std::vector<Batch> Batches(const std::vector<Item>& items, const FitSettings& settings);

// The summed weighted loss's gradient by the parameters over a batch,
// added to `grad`; each card replayed once with the derivatives carried.
void BatchGradient(const std::vector<Sequence>& cards, const Batch& batch, const Parameters& w,
                   std::array<double, kParameterCount>& grad);

// The learning rate, step by step: cosine annealing from the first rate
// to 0 over `steps` steps (and back up after them).
class CosineAnnealing {
public:
    CosineAnnealing(double steps, double rate) : steps_(steps), first_(rate), rate_(rate) {}
    double Next();

private:
    double steps_, first_, rate_;
    double step_ = -1;
};

// Gradient descent from `start`: shuffled batches, Adam, the rate annealed,
// a pull toward the start, parameters kept in their bounds.
Parameters Train(const std::vector<Sequence>& cards, const std::vector<Item>& items, const Parameters& start,
                 const FitSettings& settings);

}  // namespace kelvora::fsrs

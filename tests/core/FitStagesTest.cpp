// SPDX-License-Identifier: GPL-3.0-or-later
// The fit's stages one by one, against the figures of the published
// optimiser's own tests where it has them, and the out-of-sample figure on
// a seeded synthetic learner.
#include <gtest/gtest.h>

#include "Fixture.h"
#include "SyntheticLearner.h"
#include "memory/FitStages.h"

namespace kelvora::test {
namespace {

using namespace fsrs;

// The points of the published pre-training tests: recall after first
// intervals of one to five days.
const std::vector<AverageRecall> kFirstIntervals = {
    {1, 0.86666667, 435}, {2, 0.90721649, 97}, {3, 0.73015873, 63}, {4, 0.76315789, 38}, {5, 0.67857143, 28}};

// The published figures take the decay as a 32-bit float (0.15420000255):
// they agree to 1e-9, and the loss to 1e-8.
TEST(FitStages, ForgettingCurveAndInitialLossMatchThePublishedFigures) {
    const double curve[] = {1.0, 0.9, 0.8458846447796301, 0.8093881028681906};
    for (int t = 0; t < 4; ++t) EXPECT_NEAR(curve[t], Retrievability(kDefaultParameters, double(t), 1.0), 1e-9) << t;
    EXPECT_NEAR(279.9206961069712, InitialLoss(kFirstIntervals, 0.7840586, kDefaultParameters[0]), 1e-8);
    EXPECT_NEAR(279.9206977311556, InitialLoss(kFirstIntervals, 0.7840590622451964, kDefaultParameters[0]), 1e-8);
}

TEST(FitStages, SearchForTheFirstStabilityFindsThePublishedOne) {
    EXPECT_NEAR(0.7355089, SearchInitialStability(kFirstIntervals, 0.94302857, kDefaultParameters[0]), 1e-6);
}

TEST(FitStages, SmoothAndFillMatchesThePublishedFigures) {
    const auto three = SmoothAndFill({{1, 0.4}, {3, 2.3}, {4, 10.9}}, {{1, 1}, {2, 1}, {3, 1}, {4, 1}});
    ASSERT_TRUE(three);
    const std::array<double, 4> wantThree = {0.4, 1.1227008, 2.3, 10.9};
    const auto one = SmoothAndFill({{2, 0.35}}, {{2, 1}});
    ASSERT_TRUE(one);
    const std::array<double, 4> wantOne = {0.05738148, 0.35, 0.6242943, 2.2453482};
    for (std::size_t g = 0; g < 4; ++g) {
        EXPECT_NEAR(wantThree[g], (*three)[g], 1e-6) << g;
        EXPECT_NEAR(wantOne[g], (*one)[g], 1e-6) << g;
    }
    // Out of order: the grade seen more often wins; none seen: nothing.
    EXPECT_EQ((std::array<double, 4>{2, 2, 3, 4}), SmoothAndFill({{1, 2}, {2, 1}, {3, 3}, {4, 4}}, {{1, 9}, {2, 1}, {3, 1}, {4, 1}}));
    EXPECT_FALSE(SmoothAndFill({}, {}));
}

TEST(FitStages, TheLearningRateAnnealsAsPublished) {
    CosineAnnealing rate(5, 4e-2);
    const double want[] = {0.04, 0.03618033988749895, 0.026180339887498946, 0.013819660112501051, 0.0038196601125010526, 0.0,
                           0.003819660112501051, 0.013819660112501048, 0.026180339887498943, 0.03618033988749895, 0.04};
    for (double w : want) EXPECT_NEAR(w, rate.Next(), 1e-15);
}

TEST(FitStages, RecentReviewsWeighMoreAndBatchesHoldAtMostTheirShare) {
    // Three cards: 4, 2 and 1 reviews predicted, the later ones newer.
    std::vector<Sequence> cards(3);
    std::int64_t at = 0;
    for (std::size_t c = 0; c < 3; ++c) {
        const int predicted = c == 0 ? 4 : c == 1 ? 2 : 1;
        cards[c].push_back({0, Good, ++at});
        for (int i = 0; i < predicted; ++i) cards[c].push_back({1, i % 2 ? Again : Good, ++at});
    }
    std::vector<Item> items = ItemsOf(cards);
    ASSERT_EQ(7u, items.size());
    WeighByRecency(cards, items);
    // 0.25 to 1 by a cubic of the rank in time.
    EXPECT_DOUBLE_EQ(0.25, items.front().weight);
    EXPECT_DOUBLE_EQ(0.25 + 0.75 / 216, items[1].weight);
    EXPECT_DOUBLE_EQ(1.0, items.back().weight);

    FitSettings settings;
    settings.batchPredictions = 3;
    const std::vector<Batch> batches = Batches(items, settings);
    // Shortest first; a card never split, a batch closed before it would
    // pass its share (a card alone may).
    ASSERT_EQ(2u, batches.size());
    EXPECT_EQ((std::vector<int>{2, 1}), batches[0].cards);
    EXPECT_EQ(3, batches[0].predictions);
    EXPECT_EQ((std::vector<int>{0}), batches[1].cards);
    EXPECT_EQ(4, batches[1].predictions);
    EXPECT_EQ(5u, batches[1].weights[0].size());
    EXPECT_EQ(0.0, batches[1].weights[0][0]);  // the first review is not predicted
}

// Fitted on the first four fifths of a seeded learner's days and tested on
// the rest, the fit predicts the unseen reviews better than the defaults.
TEST(FitStages, TheOutOfSampleFigureFavoursTheFitOnASyntheticLearner) {
    support::LearnerShape shape;
    shape.cards = 600;
    shape.reviewsPerCard = 8;
    const auto cards = SequencesOf(support::SyntheticLog(shape));
    const OutOfSample unseen = TestOutOfSample(cards);
    ASSERT_TRUE(unseen.enough);
    EXPECT_TRUE(unseen.fitted);
    EXPECT_GT(unseen.trainedOn, 2 * unseen.testedOn);
    EXPECT_GT(unseen.testedOn, 100);
    EXPECT_LT(unseen.result.logLoss, unseen.defaults.logLoss);
    // A log of four days is too short to hold a fifth back.
    std::vector<Sequence> short_(1);
    for (int d = 0; d < 4; ++d) short_[0].push_back({d ? 1.0 : 0.0, Good, shape.start + d * 86400});
    EXPECT_FALSE(TestOutOfSample(short_).enough);
}

}  // namespace
}  // namespace kelvora::test

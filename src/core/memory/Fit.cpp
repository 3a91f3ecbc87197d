// SPDX-License-Identifier: GPL-3.0-or-later
#include "memory/Fit.h"

#include "memory/FitStages.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <random>
#include <set>

#include "memory/Dual.h"
#include "memory/LearningDay.h"
#include "memory/ParametersText.h"

namespace kelvora::fsrs {

std::vector<Sequence> SequencesOf(const ReviewLog& log) {
    std::vector<Sequence> out;
    LearningDays days;
    ForEachCard(log, [&](std::uint32_t, std::size_t begin, std::size_t end) {
        Sequence s;
        std::int64_t lastDay = 0;
        for (std::size_t i = begin; i < end; ++i) {
            const auto& e = log.events[i];
            const std::int64_t day = days.Of(e.at);
            s.push_back({s.empty() ? 0.0 : static_cast<double>(ElapsedDays(lastDay, day)), e.grade, e.at});
            lastDay = std::max(lastDay, day);
        }
        out.push_back(std::move(s));
    });
    return out;
}

Metrics Evaluate(const std::vector<Sequence>& cards, const Parameters& w, std::int64_t from) {
    std::vector<Item> items = ItemsOf(cards);
    if (from != INT64_MIN)
        std::erase_if(items, [&](const Item& it) {
            return cards[static_cast<std::size_t>(it.card)][static_cast<std::size_t>(it.index)].at < from;
        });
    WeighByRecency(cards, items);
    // Each card replayed once; its predictions looked up by review.
    std::vector<std::vector<double>> predicted(cards.size());
    for (std::size_t c = 0; c < cards.size(); ++c) {
        const Sequence& s = cards[c];
        if (s.empty()) continue;
        predicted[c].resize(s.size());
        MemoryState<double> state = FirstState<double>(w, s[0].grade);
        for (std::size_t i = 1; i < s.size(); ++i) {
            predicted[c][i] = Retrievability(w, s[i].elapsedDays, std::clamp(state.stability, kMinStability, kMaxStability));
            state = NextState(w, state, s[i].elapsedDays, s[i].grade);
        }
    }
    struct Bin {
        double predicted = 0, actual = 0, count = 0, weight = 0;
    };
    std::map<std::tuple<long, long, long>, Bin> bins;
    double loss = 0, weights = 0;
    for (const Item& it : items) {
        const Sequence& s = cards[static_cast<std::size_t>(it.card)];
        const double r = predicted[static_cast<std::size_t>(it.card)][static_cast<std::size_t>(it.index)];
        const double y = s[static_cast<std::size_t>(it.index)].grade > Again ? 1 : 0;
        loss += Bce(r, y) * it.weight;
        weights += it.weight;
        // The published bins: interval, number of long-term reviews and
        // lapses, each on a logarithmic scale.
        const double days = s[static_cast<std::size_t>(it.index)].elapsedDays;
        const long dayBin = std::lround(2.48 * std::pow(3.62, std::floor(std::log(days) / std::log(3.62))) * 100);
        const double length = LongTermReviews(s, it.index) + 1.0;
        const long lengthBin = std::lround(1.99 * std::pow(1.89, std::floor(std::log(length) / std::log(1.89))));
        int lapses = 0;
        for (int j = 0; j < it.index; ++j)
            lapses += s[static_cast<std::size_t>(j)].grade == Again && s[static_cast<std::size_t>(j)].elapsedDays > 0;
        const long lapseBin =
            lapses == 0 ? 0 : std::lround(1.65 * std::pow(1.73, std::floor(std::log(lapses) / std::log(1.73))));
        Bin& bin = bins[{dayBin, lengthBin, lapseBin}];
        bin.predicted += r;
        bin.actual += y;
        bin.count += 1;
        bin.weight += it.weight;
    }
    Metrics m;
    if (weights <= 0) return m;
    m.logLoss = loss / weights;
    double squares = 0, binWeights = 0;
    for (const auto& [key, bin] : bins) {
        const double diff = bin.predicted / bin.count - bin.actual / bin.count;
        squares += diff * diff * bin.weight;
        binWeights += bin.weight;
    }
    m.rmseBins = std::sqrt(squares / binWeights);
    return m;
}

FitResult Fit(const std::vector<Sequence>& cards, const FitSettings& settings) {
    FitResult result;
    for (const Sequence& s : cards) result.reviews += static_cast<int>(s.size());
    std::vector<Item> items = ItemsOf(cards);
    result.reviewsUsed = static_cast<int>(items.size());
    result.defaults = Evaluate(cards, kDefaultParameters);
    result.result = result.defaults;
    if (result.reviewsUsed < settings.fewestReviews) return result;

    const TrainingSets prepared = LeaveOutOutliers(cards, items);
    double recalled = 0;
    for (const Item& it : prepared.train)
        recalled += cards[static_cast<std::size_t>(it.card)][static_cast<std::size_t>(it.index)].grade > Again;
    const double averageRecall = prepared.train.empty() ? 0 : recalled / static_cast<double>(prepared.train.size());
    Parameters start = kDefaultParameters;
    const auto pretrained = PretrainInitialStability(cards, prepared.init, averageRecall);
    if (pretrained) std::copy(pretrained->s0.begin(), pretrained->s0.end(), start.begin());

    std::vector<Item> train = prepared.train;
    WeighByRecency(cards, train);
    // With every card seen only once after its first day there is nothing
    // to descend on: the pre-trained first stabilities are the fit.
    Parameters w = start;
    if (train.size() != prepared.init.size() && train.size() >= static_cast<std::size_t>(settings.fewestToDescend))
        w = Train(cards, train, start, settings);
    if (pretrained) {
        std::map<int, double> s0;
        for (int g = 1; g <= 4; ++g) s0[g] = w[static_cast<std::size_t>(g - 1)];
        if (const auto smoothed = SmoothAndFill(s0, pretrained->counts))
            std::copy(smoothed->begin(), smoothed->end(), w.begin());
    }
    // Kept and shown to six decimals: what is stored is what was measured.
    w = ParseParameters(ParametersText(w)).value_or(w);
    const Metrics fitted = Evaluate(cards, w);
    // Kept only when they predict this learner's log better.
    if (fitted.logLoss < result.defaults.logLoss) {
        result.fitted = true;
        result.weights = w;
        result.result = fitted;
    }
    return result;
}

FitResult Fit(const std::vector<Sequence>& cards) { return Fit(cards, FitSettings{}); }

OutOfSample TestOutOfSample(const std::vector<Sequence>& cards) {
    OutOfSample out;
    // The learning days with a review, and the first of the last fifth.
    LearningDays days;
    std::set<std::int64_t> seen;
    for (const Sequence& s : cards)
        for (const Step& step : s) seen.insert(days.Of(step.at));
    if (seen.size() < 5) return out;
    const std::int64_t firstTestDay = *std::next(seen.begin(), static_cast<std::ptrdiff_t>(seen.size() - seen.size() / 5));
    // Each card's reviews before that day: what the fit may see.
    std::vector<Sequence> before;
    std::int64_t from = INT64_MAX;
    for (const Sequence& s : cards) {
        Sequence kept;
        for (const Step& step : s) {
            if (days.Of(step.at) >= firstTestDay) {
                from = std::min(from, step.at);
                continue;
            }
            kept.push_back(step);
        }
        if (!kept.empty()) before.push_back(std::move(kept));
    }
    const FitResult fit = Fit(before);
    out.trainedOn = fit.reviewsUsed;
    for (const Item& it : ItemsOf(cards))
        out.testedOn += cards[static_cast<std::size_t>(it.card)][static_cast<std::size_t>(it.index)].at >= from;
    out.enough = fit.reviewsUsed >= kFewestReviewsToFit && out.testedOn >= 100;
    out.fitted = fit.fitted;
    out.defaults = Evaluate(cards, kDefaultParameters, from);
    out.result = fit.fitted ? Evaluate(cards, fit.weights, from) : out.defaults;
    return out;
}

}  // namespace kelvora::fsrs

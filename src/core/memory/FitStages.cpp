// SPDX-License-Identifier: GPL-3.0-or-later
#include "memory/FitStages.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "memory/Dual.h"

namespace kelvora::fsrs {


namespace {

// How far each parameter usually lies from the defaults: the scale of the
// pull back toward the starting point.
constexpr std::array<double, kParameterCount> kParameterSpread = {
    6.43, 9.66, 17.58, 27.85, 0.57, 0.28, 0.6, 0.12, 0.39, 0.18, 0.33,
    0.3,  0.09, 0.16,  0.57,  0.25, 1.03, 0.31, 0.32, 0.14, 0.27,
};
constexpr double kMinProbability = 1e-7;

}  // namespace

int LongTermReviews(const Sequence& s, int index) {
    int n = 0;
    for (int j = 0; j <= index; ++j) n += s[static_cast<std::size_t>(j)].elapsedDays > 0;
    return n;
}

double FirstLongTermInterval(const Sequence& s) {
    for (const Step& step : s)
        if (step.elapsedDays > 0) return step.elapsedDays;
    return 0;
}

std::vector<Item> ItemsOf(const std::vector<Sequence>& cards) {
    std::vector<Item> items;
    for (std::size_t c = 0; c < cards.size(); ++c)
        for (std::size_t i = 1; i < cards[c].size(); ++i)
            if (cards[c][i].elapsedDays > 0) items.push_back({static_cast<int>(c), static_cast<int>(i)});
    return items;
}

void WeighByRecency(const std::vector<Sequence>& cards, std::vector<Item>& items) {
    auto at = [&](const Item& it) { return cards[static_cast<std::size_t>(it.card)][static_cast<std::size_t>(it.index)].at; };
    std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) { return at(a) < at(b); });
    const double last = std::max(1.0, static_cast<double>(items.size()) - 1);
    for (std::size_t i = 0; i < items.size(); ++i) items[i].weight = 0.25 + 0.75 * std::pow(i / last, 3);
}

double Bce(double r, double label) {
    r = std::clamp(r, kMinProbability, 1 - kMinProbability);
    return -(label * std::log(r) + (1 - label) * std::log(1 - r));
}

// --- Pre-training of the initial stabilities -------------------------------

double InitialLoss(const std::vector<AverageRecall>& points, double s0, double defaultS0) {
    double loss = 0;
    for (const AverageRecall& p : points) {
        const double r = Retrievability(kDefaultParameters, p.days, s0);
        loss -= (p.recall * std::log(r) + (1 - p.recall) * std::log(1 - r)) * p.count;
    }
    return loss + std::abs(s0 - defaultS0) / 16;
}

std::optional<std::array<double, 4>> SmoothAndFill(std::map<int, double> s0, const std::map<int, int>& counts) {
    for (auto it = s0.begin(); it != s0.end();) it = counts.count(it->first) ? std::next(it) : s0.erase(it);
    for (const auto& [small, big] : {std::pair{1, 2}, {2, 3}, {3, 4}, {1, 3}, {2, 4}, {1, 4}}) {
        if (!s0.count(small) || !s0.count(big) || s0[small] <= s0[big]) continue;
        if (counts.at(small) > counts.at(big))
            s0[big] = s0[small];
        else
            s0[small] = s0[big];
    }
    const double w1 = 0.41, w2 = 0.54;
    std::array<std::optional<double>, 5> r{};
    for (const auto& [g, v] : s0) r[static_cast<std::size_t>(g)] = v;
    std::array<double, 4> out{};
    auto p = [](double a, double b) { return std::pow(a, b); };
    switch (s0.size()) {
        case 0: return std::nullopt;
        case 1: {
            const auto [g, v] = *s0.begin();
            const double factor = v / kDefaultParameters[static_cast<std::size_t>(g - 1)];
            for (int i = 0; i < 4; ++i) out[static_cast<std::size_t>(i)] = kDefaultParameters[static_cast<std::size_t>(i)] * factor;
            std::sort(out.begin(), out.end());
            break;
        }
        case 2:
        case 3:
            if (s0.size() == 2) {
                if (!r[1] && !r[2] && r[3] && r[4]) {
                    r[2] = p(*r[3], 1 / (1 - w2)) * p(*r[4], 1 - 1 / (1 - w2));
                    r[1] = p(*r[2], 1 / w1) * p(*r[3], 1 - 1 / w1);
                } else if (!r[1] && r[2] && !r[3] && r[4]) {
                    r[3] = p(*r[2], 1 - w2) * p(*r[4], w2);
                    r[1] = p(*r[2], 1 / w1) * p(*r[3], 1 - 1 / w1);
                } else if (!r[1] && r[2] && r[3] && !r[4]) {
                    r[4] = p(*r[2], 1 - 1 / w2) * p(*r[3], 1 / w2);
                    r[1] = p(*r[2], 1 / w1) * p(*r[3], 1 - 1 / w1);
                } else if (r[1] && !r[2] && !r[3] && r[4]) {
                    const double k = w1 / (w1 + w2 - w1 * w2);
                    const double q = w2 / (w1 + w2 - w1 * w2);
                    r[2] = p(*r[1], k) * p(*r[4], 1 - k);
                    r[3] = p(*r[1], 1 - q) * p(*r[4], q);
                } else if (r[1] && !r[2] && r[3] && !r[4]) {
                    r[2] = p(*r[1], w1) * p(*r[3], 1 - w1);
                    r[4] = p(*r[2], 1 - 1 / w2) * p(*r[3], 1 / w2);
                } else if (r[1] && r[2] && !r[3] && !r[4]) {
                    r[3] = p(*r[1], 1 - 1 / (1 - w1)) * p(*r[2], 1 / (1 - w1));
                    r[4] = p(*r[2], 1 - 1 / w2) * p(*r[3], 1 / w2);
                }
            } else if (!r[1] && r[2] && r[3]) {
                r[1] = p(*r[2], 1 / w1) * p(*r[3], 1 - 1 / w1);
            } else if (r[1] && !r[2] && r[3]) {
                r[2] = p(*r[1], w1) * p(*r[3], 1 - w1);
            } else if (r[2] && !r[3] && r[4]) {
                r[3] = p(*r[2], 1 - w2) * p(*r[4], w2);
            } else if (r[2] && r[3] && !r[4]) {
                r[4] = p(*r[2], 1 - 1 / w2) * p(*r[3], 1 / w2);
            }
            [[fallthrough]];
        default:
            for (int g = 1; g <= 4; ++g) {
                if (!r[static_cast<std::size_t>(g)]) return std::nullopt;
                out[static_cast<std::size_t>(g - 1)] = *r[static_cast<std::size_t>(g)];
            }
    }
    for (double& v : out) v = std::clamp(v, kMinStability, kInitialStabilityMax);
    return out;
}

double SearchInitialStability(const std::vector<AverageRecall>& points, double averageRecall, double defaultS0) {
    // Laplace smoothing toward the learner's average recall.
    std::vector<AverageRecall> smoothed = points;
    for (AverageRecall& p : smoothed) p.recall = (p.recall * p.count + averageRecall) / (p.count + 1);
    double low = kMinStability, high = kInitialStabilityMax, best = defaultS0;
    for (int iteration = 0; high - low > 2.220446049250313e-16 && iteration < 1000; ++iteration) {
        const double m1 = low + (high - low) / 3, m2 = high - (high - low) / 3;
        if (InitialLoss(smoothed, m1, defaultS0) < InitialLoss(smoothed, m2, defaultS0))
            high = m2;
        else
            low = m1;
        best = (high + low) / 2;
    }
    return best;
}

std::optional<Pretrained> PretrainInitialStability(const std::vector<Sequence>& cards, const std::vector<Item>& init,
                                                   double averageRecall) {
    // First grade -> first interval -> recalled or not.
    std::map<int, std::map<double, std::vector<int>>> groups;
    for (const Item& it : init) {
        const Sequence& s = cards[static_cast<std::size_t>(it.card)];
        groups[s[0].grade][s[static_cast<std::size_t>(it.index)].elapsedDays].push_back(
            s[static_cast<std::size_t>(it.index)].grade > Again);
    }
    Pretrained out;
    std::map<int, double> s0;
    for (const auto& [grade, byDays] : groups) {
        std::vector<AverageRecall> points;
        int total = 0;
        for (const auto& [days, labels] : byDays) {
            const double n = static_cast<double>(labels.size());
            double recalled = 0;
            for (int l : labels) recalled += l;
            points.push_back({days, recalled / n, n});
            total += static_cast<int>(labels.size());
        }
        out.counts[grade] = total;
        s0[grade] = SearchInitialStability(points, averageRecall,
                                           kDefaultParameters[static_cast<std::size_t>(std::clamp(grade, 1, 4) - 1)]);
    }
    const auto filled = SmoothAndFill(s0, out.counts);
    if (!filled) return std::nullopt;
    out.s0 = *filled;
    return out;
}

// --- Outliers ---------------------------------------------------------------

TrainingSets LeaveOutOutliers(const std::vector<Sequence>& cards, const std::vector<Item>& items) {
    std::map<int, std::map<double, std::vector<std::size_t>>> groups;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Sequence& s = cards[static_cast<std::size_t>(items[i].card)];
        if (LongTermReviews(s, items[i].index) == 1)
            groups[s[0].grade][s[static_cast<std::size_t>(items[i].index)].elapsedDays].push_back(i);
    }
    std::map<int, std::set<double>> removed;
    TrainingSets out;
    for (auto& [grade, byDays] : groups) {
        std::vector<std::pair<double, std::vector<std::size_t>>> sub(byDays.begin(), byDays.end());
        std::sort(sub.begin(), sub.end(), [](const auto& a, const auto& b) {
            return a.second.size() != b.second.size() ? a.second.size() > b.second.size() : a.first > b.first;
        });
        std::size_t total = 0;
        for (const auto& g : sub) total += g.second.size();
        std::size_t gone = 0;
        for (auto it = sub.rbegin(); it != sub.rend(); ++it) {
            const auto& [days, indices] = *it;
            if (gone + indices.size() >= std::max<std::size_t>(20, total / 20)) {
                if (indices.size() >= 6 && days <= (grade != Easy ? 100 : 365)) {
                    for (std::size_t i : indices) out.init.push_back(items[i]);
                } else {
                    removed[grade].insert(days);
                }
            } else {
                gone += indices.size();
                removed[grade].insert(days);
            }
        }
    }
    for (const Item& it : items) {
        const Sequence& s = cards[static_cast<std::size_t>(it.card)];
        if (!removed[s[0].grade].count(FirstLongTermInterval(s))) out.train.push_back(it);
    }
    return out;
}

// --- Gradient descent --------------------------------------------------------

void Clip(Parameters& w) {
    for (std::size_t i = 0; i < w.size(); ++i) w[i] = std::clamp(w[i], kParameterBounds[i].first, kParameterBounds[i].second);
}

std::vector<Batch> Batches(const std::vector<Item>& items, const FitSettings& settings) {
    std::map<int, std::vector<const Item*>> byCard;
    for (const Item& it : items)
        if (it.index < settings.longestSequence) byCard[it.card].push_back(&it);
    std::vector<std::pair<int, std::vector<const Item*>>> grouped(byCard.begin(), byCard.end());
    auto length = [](const auto& g) {
        int longest = 0;
        for (const Item* it : g.second) longest = std::max(longest, it->index + 1);
        return longest;
    };
    std::stable_sort(grouped.begin(), grouped.end(), [&](const auto& a, const auto& b) { return length(a) < length(b); });
    std::vector<Batch> batches;
    Batch current;
    for (const auto& [card, its] : grouped) {
        if (!current.cards.empty() && current.predictions + static_cast<int>(its.size()) > settings.batchPredictions) {
            batches.push_back(std::move(current));
            current = Batch{};
        }
        std::vector<double> w(static_cast<std::size_t>(length(std::make_pair(card, its))), 0.0);
        for (const Item* it : its) w[static_cast<std::size_t>(it->index)] = it->weight;
        current.cards.push_back(card);
        current.weights.push_back(std::move(w));
        current.predictions += static_cast<int>(its.size());
    }
    if (!current.cards.empty()) batches.push_back(std::move(current));
    return batches;
}

void BatchGradient(const std::vector<Sequence>& cards, const Batch& batch, const Parameters& w,
                   std::array<double, kParameterCount>& grad) {
    std::array<Dual, kParameterCount> dw;
    for (int i = 0; i < kParameterCount; ++i) dw[static_cast<std::size_t>(i)] = Dual::Parameter(w[static_cast<std::size_t>(i)], i);
    for (std::size_t b = 0; b < batch.cards.size(); ++b) {
        const Sequence& s = cards[static_cast<std::size_t>(batch.cards[b])];
        const std::vector<double>& weights = batch.weights[b];
        MemoryState<Dual> state = FirstState<Dual>(dw, s[0].grade);
        for (std::size_t i = 1; i < weights.size(); ++i) {
            const Step& step = s[i];
            if (weights[i] > 0) {
                const Dual r = Retrievability(dw, Dual(step.elapsedDays), Clamp(state.stability, kMinStability, kMaxStability));
                const double label = step.grade > Again ? 1 : 0;
                if (r.v > kMinProbability && r.v < 1 - kMinProbability) {
                    const double dLoss = -weights[i] * (label / r.v - (1 - label) / (1 - r.v));
                    for (std::size_t k = 0; k < grad.size(); ++k) grad[k] += dLoss * r.d[k];
                }
            }
            state = NextState(dw, state, step.elapsedDays, step.grade);
        }
    }
}

double CosineAnnealing::Next() {
    constexpr double pi = 3.14159265358979323846;
    step_ += 1;
    if (step_ == 0) return rate_ = first_;
    if (std::fmod(step_ - 1 - steps_, 2 * steps_) == 0) return rate_ = first_ * (1 - std::cos(pi / steps_)) / 2;
    return rate_ = (1 + std::cos(pi * step_ / steps_)) / (1 + std::cos(pi * (step_ - 1) / steps_)) * rate_;
}

Parameters Train(const std::vector<Sequence>& cards, const std::vector<Item>& items, const Parameters& start,
                 const FitSettings& settings) {
    const std::vector<Batch> batches = Batches(items, settings);
    const double total = static_cast<double>(items.size());
    CosineAnnealing schedule(
        static_cast<double>((items.size() / static_cast<std::size_t>(settings.batchPredictions) + 1) * static_cast<std::size_t>(settings.epochs)),
        settings.learningRate);
    std::mt19937_64 random(settings.shuffleSeed);
    Parameters w = start;
    std::array<double, kParameterCount> m{}, v{};
    int t = 0;
    std::vector<std::size_t> order(batches.size());
    for (int epoch = 0; epoch < settings.epochs; ++epoch) {
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::shuffle(order.begin(), order.end(), random);
        for (std::size_t index : order) {
            const Batch& batch = batches[index];
            const double rate = schedule.Next();
            std::array<double, kParameterCount> grad{};
            BatchGradient(cards, batch, w, grad);
            const double scale = batch.predictions / total;
            for (std::size_t k = 0; k < grad.size(); ++k)
                grad[k] += 2 * (w[k] - start[k]) / (kParameterSpread[k] * kParameterSpread[k]) * scale;
            // Adam.
            ++t;
            const double bias1 = 1 - std::pow(0.9, t), bias2 = 1 - std::pow(0.999, t);
            for (std::size_t k = 0; k < grad.size(); ++k) {
                m[k] = 0.9 * m[k] + 0.1 * grad[k];
                v[k] = 0.999 * v[k] + 0.001 * grad[k] * grad[k];
                w[k] -= rate * (m[k] / bias1) / (std::sqrt(v[k] / bias2) + 1e-8);
            }
            Clip(w);
        }
    }
    return w;
}

}  // namespace kelvora::fsrs

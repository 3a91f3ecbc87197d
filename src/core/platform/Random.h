// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one random generator: uniform in [0, 1), seeded by "Start".
#include <cmath>
#include <cstdint>
#include <deque>
#include <initializer_list>

namespace kelvora {

class Random {
public:
    virtual ~Random() = default;
    void Seed(double seed);
    // The next draw: scripted values first (tests), then the generator.
    double Next();
    // Int(r * n): 0..n-1 from the next draw.
    int Below(int n) { return static_cast<int>(std::floor(Next() * n)); }
    void Script(std::initializer_list<double> draws) { scripted_.insert(scripted_.end(), draws); }
    double lastSeed() const { return seed_; }

private:
    std::uint64_t state_ = 0x853c49e6748fea9bULL;
    double seed_ = 0;
    std::deque<double> scripted_;
};

}  // namespace kelvora

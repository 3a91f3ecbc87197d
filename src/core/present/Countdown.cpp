// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/Countdown.h"

#include <string>

namespace kelvora {

namespace {

// Without a limit the countdown of record runs at the slowest pace.
constexpr int kNoLimitCountsAs = 10;

int StepEvery(int scale) { return scale == kNoTimeLimit ? kNoLimitCountsAs : scale; }

}  // namespace

bool SlowerPace(int a, int b) {
    if (a == b) return false;
    if (a == kNoTimeLimit) return true;
    return b != kNoTimeLimit && a > b;
}

void StartCountdown(Program& p, int seconds) {
    p.m.Countdown = seconds;
    p.pace = {p.own.timeScale, 0};
    if (SlowerPace(p.pace.scale, p.session.timeScale)) p.session.timeScale = p.pace.scale;
    ShowCountdown(p);
}

void ShowCountdown(Program& p) {
    const Program::Pace& pace = p.pace;
    if (pace.scale == kNoTimeLimit) {
        p.Form1.Label1.text = kNoTimeLimitLabel;
        return;
    }
    p.Form1.Label1.text = std::to_string(p.m.Countdown * pace.scale - pace.tick);
}

bool CountdownSteps(Program& p) {
    Program::Pace& pace = p.pace;
    if (pace.scale == 1) return true;
    if (++pace.tick < StepEvery(pace.scale)) return false;
    pace.tick = 0;
    return !(pace.scale == kNoTimeLimit && p.m.Countdown <= 1);
}

}  // namespace kelvora

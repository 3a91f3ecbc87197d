// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/Playback.h"

#include <cmath>

#include "text/EntryParts.h"
#include "text/Numbers.h"

namespace kelvora {

std::int32_t getState(Program& p) {
    std::int32_t sec = 0, a = 0, b = 0;
    const std::int32_t s = p.player.vbmp3_getState(&sec);
    const std::int32_t e = p.player.vbmp3_getEncodeState(&a, &b);
    if (e != 1 && s == 0) p.Form1.Timer2.enabled = false;
    return s;
}

namespace {

std::string Trim(const std::string& s) {
    const std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

}  // namespace

bool PlayPronunciation(Program& p, const std::string& spec) {
    const SoundSpec s = SplitSoundSpec(spec);
    // A negative start or playing time means "from the start" and "to the
    // end"; a playing time longer than the timer takes is cut to its limit.
    const double start = std::max(0.0, std::nearbyint(Val(s.start)));
    const double seconds = std::max(0.0, Val(s.time));
    const double ms = std::min(static_cast<double>(kMaxTimerInterval), std::nearbyint(seconds * 1000));

    p.player.vbmp3_stop();
    p.Form1.Timer2.enabled = false;
    const std::string file = Trim(s.name + ".mp3");
    PlayerInfo info{};
    if (p.player.vbmp3_open(file.c_str(), &info) == 0) {
        p.host.MsgBox(" Open Error " + s.name);
        return false;
    }
    p.player.vbmp3_play();
    p.player.vbmp3_seek(static_cast<std::int32_t>(std::min(start, 2147483647.0)));
    p.Form1.Timer2.interval = static_cast<int>(ms);
    p.Form1.Timer2.enabled = true;
    // The record gives the length in whole seconds: a start within it, or
    // at the very beginning of a short file, plays something.
    return start == 0 || start < info.lengthSeconds;
}

bool SpeakWord(Program& p, const std::string& headwordCell) {
    // The library loads the engine on its own thread: a question never
    // waits for it. Without the engine it says nothing.
    return p.own.speakWords && p.player.Speak(HeadwordKey(headwordCell));
}

void SayAgain(Program& p) {
    const Model& m = p.m;
    if (!p.runStarted || m.QuizState == RunState::Idle) return;
    const bool test = m.IsTestQuestion == 1;
    if (test) {
        const std::string sound = GetSoundPart(m.TestLine[static_cast<std::size_t>(3 * m.QuestionIndex)]);
        if (!sound.empty()) PlayPronunciation(p, sound);
        return;
    }
    const WordRow& row = m.Word(m.QuestionIndex);
    // The English word, unless it is the answer still sought: then the
    // meaning's own recording, if it has one.
    if (m.Direction == kEnglishToJapanese || m.QuizState == RunState::VerdictPause) {
        const std::string sound = GetSoundPart(row.word);
        if (sound.empty() || !PlayPronunciation(p, sound)) SpeakWord(p, row.word);
    } else if (const std::string sound = GetSoundPart(row.meaning); !sound.empty()) {
        PlayPronunciation(p, sound);
    }
}

void StopPronunciation(Program& p) {
    p.player.vbmp3_stop();
    p.player.vbmp3_close();
    p.Form1.Timer2.enabled = false;
}

}  // namespace kelvora

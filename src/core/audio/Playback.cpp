#include "audio/Playback.h"

#include "Events.h"

namespace kelvora {

std::int32_t getState(Program& p) {
    std::int32_t sec = 0, a = 0, b = 0;
    const std::int32_t s = p.player.vbmp3_getState(&sec);
    const std::int32_t e = p.player.vbmp3_getEncodeState(&a, &b);
    if (e != 1 && s == 0) p.Form1.Timer2.enabled = false;
    return s;
}

namespace form1 {

void Timer2_Timer(Program& p) {
    p.player.vbmp3_stop();
    p.player.vbmp3_close();
    p.Form1.Timer2.enabled = false;
}

}  // namespace form1

}  // namespace kelvora

// The MP3 player library. This first cut answers the start-up and
// shutdown calls; opening reports that no file could be opened.
#include "vbmp3.h"

#include <atomic>

namespace {
std::atomic<bool> g_initialised{false};
constexpr int32_t kVersion = 200;
}  // namespace

extern "C" {

int32_t vbmp3_init(void) {
    g_initialised = true;
    return 1;
}
int32_t vbmp3_getVersion(void) { return kVersion; }
int32_t vbmp3_getState(int32_t* sec) {
    if (sec) *sec = 0;
    return 0;
}
int32_t vbmp3_getEncodeState(int32_t* a, int32_t* b) {
    if (a) *a = 0;
    if (b) *b = 0;
    return 0;
}
int32_t vbmp3_open(const char*, Vbmp3Info*) { return 0; }
int32_t vbmp3_play(void) { return 0; }
int32_t vbmp3_seek(int32_t) { return 0; }
int32_t vbmp3_stop(void) { return 1; }
int32_t vbmp3_close(void) { return 1; }
int32_t vbmp3_stopCallback(void) { return 1; }
int32_t vbmp3_free(void) {
    g_initialised = false;
    return 1;
}
}

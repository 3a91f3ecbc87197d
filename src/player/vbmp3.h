// SPDX-License-Identifier: GPL-3.0-or-later
/* The MP3 player library's C interface. */
#ifndef KELVORA_VBMP3_H
#define KELVORA_VBMP3_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define VBMP3_EXPORT __attribute__((visibility("default")))

/* Filled by vbmp3_open: title and artist (or the file name), then the
   sample rate, channels, length in seconds and bitrate in kbit/s. */
typedef struct Vbmp3Info {
    char title[128];
    char artist[128];
    int32_t rate;
    int32_t channels;
    int32_t lengthSeconds;
    int32_t bitrate;
} Vbmp3Info;

VBMP3_EXPORT int32_t vbmp3_init(void);
VBMP3_EXPORT int32_t vbmp3_getVersion(void);
/* 0 idle, 1 playing; *sec receives the position in whole seconds. */
VBMP3_EXPORT int32_t vbmp3_getState(int32_t* sec);
/* This player never encodes: always 0. */
VBMP3_EXPORT int32_t vbmp3_getEncodeState(int32_t* a, int32_t* b);
/* Non-zero when the file was opened. */
VBMP3_EXPORT int32_t vbmp3_open(const char* fileName, Vbmp3Info* info);
VBMP3_EXPORT int32_t vbmp3_play(void);
VBMP3_EXPORT int32_t vbmp3_seek(int32_t seconds);
VBMP3_EXPORT int32_t vbmp3_stop(void);
VBMP3_EXPORT int32_t vbmp3_close(void);
VBMP3_EXPORT int32_t vbmp3_stopCallback(void);
VBMP3_EXPORT int32_t vbmp3_free(void);

/* Speech, beyond the player's own entry points: English text spoken by the
   offline speech engine (espeak-ng, loaded when first wanted) through the
   same output as the sections played. */
/* 1 when text can be spoken; else 0, and why (a clause for the learner) in
   `why`, at most `size` bytes with the final NUL. */
VBMP3_EXPORT int32_t kelvora_speech_available(char* why, int32_t size);
/* Speaks UTF-8 text in the background, after stopping what was being
   spoken; 1 when it starts. */
VBMP3_EXPORT int32_t kelvora_speak(const char* text);
/* 0 silent, 1 getting ready to speak, 2 speaking. */
VBMP3_EXPORT int32_t kelvora_speech_state(void);
VBMP3_EXPORT int32_t kelvora_speech_stop(void);

#ifdef __cplusplus
}
#endif

#endif

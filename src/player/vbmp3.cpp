// SPDX-License-Identifier: GPL-3.0-or-later
// The MP3 player library: libmpg123 decodes, libout123 plays (Output.h),
// on a thread of its own so that playing never holds up the caller. The
// output is chosen once per playback; with none, playback runs silently,
// keeping its timing and its state, so the program behaves the same.
#include "vbmp3.h"

#include "Output.h"

#include <fcntl.h>
#include <mpg123.h>
#include <out123.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int32_t kVersion = 200;
constexpr long kNoSeek = -1;

struct Player {
    std::mutex mutex;  // guards the handles between the caller and the thread
    mpg123_handle* decoder = nullptr;
    int fd = -1;  // the decoder's file: mpg123 reads it but leaves closing it to us
    long rate = 0;
    int channels = 0;
    off_t length = 0;  // samples per channel

    std::thread worker;
    std::atomic<bool> playing{false};
    std::atomic<bool> stopRequested{false};
    std::atomic<long> seekTarget{kNoSeek};  // samples
    std::atomic<long> position{0};          // samples

    // A seek that follows play at once starts the sound there; the thread
    // waits this long for it before the first sample goes out.
    std::condition_variable seekArrived;
    bool seekPending = false;

    // A program may end without freeing the player (its "END" does): the
    // thread must still be gone before the process is.
    ~Player() {
        stopRequested = true;
        if (worker.joinable()) worker.join();
        if (decoder) {
            mpg123_close(decoder);
            mpg123_delete(decoder);
        }
        if (fd >= 0) ::close(fd);
    }
};

Player& Instance() {
    static Player player;
    return player;
}

void CopyText(char (&out)[128], const std::string& text) {
    std::memset(out, 0, sizeof out);
    std::memcpy(out, text.data(), std::min(text.size(), sizeof out - 1));
}

std::string FileName(const char* path) {
    std::string s(path);
    const std::size_t slash = s.find_last_of('/');
    return slash == std::string::npos ? s : s.substr(slash + 1);
}

// Only a plain file is read: a FIFO or a device by the name of a sound
// file must not make the program wait.
int OpenPlainFile(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::fcntl(fd, F_SETFL, 0) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string Id3Text(const mpg123_string* s) {
    return s && s->p && s->fill > 0 ? std::string(s->p, std::strlen(s->p)) : std::string();
}

void Play(Player& p) {
    kelvora::player::Output out(&p.stopRequested);
    {
        std::unique_lock lock(p.mutex);
        p.seekArrived.wait_for(lock, std::chrono::milliseconds(50), [&] { return p.seekPending; });
    }
    out.Start(p.rate, p.channels);
    const std::size_t frameBytes = static_cast<std::size_t>(p.channels) * 2;
    std::vector<unsigned char> buffer(4096 * frameBytes);
    while (!p.stopRequested || out.BeforeHold()) {
        std::size_t got = 0;
        int r = MPG123_OK;
        {
            std::lock_guard lock(p.mutex);
            if (const long target = p.seekTarget.exchange(kNoSeek); target != kNoSeek) {
                if (target >= p.length) break;  // past the end: nothing left to play
                mpg123_seek(p.decoder, target, SEEK_SET);
                p.position = target;
                out.Drop();
            }
            r = mpg123_read(p.decoder, buffer.data(), buffer.size(), &got);
        }
        if (got > 0) {
            out.Play(buffer.data(), got);
            p.position += static_cast<long>(got / frameBytes);
        }
        if (r == MPG123_DONE || (r != MPG123_OK && r != MPG123_NEW_FORMAT && got == 0)) break;
    }
    if (p.stopRequested) out.Stop();
    p.playing = false;
}

void StopWorker(Player& p) {
    p.stopRequested = true;
    if (p.worker.joinable()) p.worker.join();
    p.stopRequested = false;
    p.playing = false;
    p.seekPending = false;
}

void CloseDecoder(Player& p) {
    StopWorker(p);
    std::lock_guard lock(p.mutex);
    if (p.decoder) {
        mpg123_close(p.decoder);
        mpg123_delete(p.decoder);
        if (p.fd >= 0) ::close(p.fd);
        p.fd = -1;
        p.decoder = nullptr;
    }
    p.rate = 0;
    p.channels = 0;
    p.length = 0;
    p.position = 0;
}

}  // namespace

extern "C" {

int32_t vbmp3_init(void) {
#if MPG123_API_VERSION < 46
    mpg123_init();
#endif
    return 1;
}

int32_t vbmp3_getVersion(void) { return kVersion; }

int32_t vbmp3_getState(int32_t* sec) {
    Player& p = Instance();
    if (sec) *sec = p.rate > 0 ? static_cast<int32_t>(p.position / p.rate) : 0;
    return p.playing ? 1 : 0;
}

int32_t vbmp3_getEncodeState(int32_t* a, int32_t* b) {
    if (a) *a = 0;
    if (b) *b = 0;
    return 0;
}

int32_t vbmp3_open(const char* fileName, Vbmp3Info* info) {
    Player& p = Instance();
    CloseDecoder(p);
    if (!fileName || !*fileName) return 0;
    int error = MPG123_OK;
    mpg123_handle* mh = mpg123_new(nullptr, &error);
    if (!mh) return 0;
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
    long rate = 0;
    int channels = 0, encoding = 0;
    // Signed 16-bit output at the file's own rate and channels.
    mpg123_format_none(mh);
    for (long r : {8000L, 11025L, 12000L, 16000L, 22050L, 24000L, 32000L, 44100L, 48000L})
        mpg123_format(mh, r, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    const int fd = OpenPlainFile(fileName);
    if (fd < 0 || mpg123_open_fd(mh, fd) != MPG123_OK || mpg123_scan(mh) != MPG123_OK ||
        mpg123_getformat(mh, &rate, &channels, &encoding) != MPG123_OK || rate <= 0) {
        mpg123_delete(mh);
        if (fd >= 0) ::close(fd);
        return 0;
    }
    const off_t length = mpg123_length(mh);
    if (length <= 0) {
        mpg123_close(mh);
        mpg123_delete(mh);
        ::close(fd);
        return 0;
    }
    if (info) {
        std::memset(info, 0, sizeof *info);
        mpg123_id3v1* v1 = nullptr;
        mpg123_id3v2* v2 = nullptr;
        std::string title, artist;
        if (mpg123_id3(mh, &v1, &v2) == MPG123_OK) {
            if (v2) title = Id3Text(v2->title), artist = Id3Text(v2->artist);
            if (title.empty() && v1) title = std::string(v1->title, strnlen(v1->title, sizeof v1->title));
            if (artist.empty() && v1) artist = std::string(v1->artist, strnlen(v1->artist, sizeof v1->artist));
        }
        CopyText(info->title, title.empty() ? FileName(fileName) : title);
        CopyText(info->artist, artist);
        info->rate = static_cast<int32_t>(rate);
        info->channels = channels;
        info->lengthSeconds = static_cast<int32_t>(length / rate);
        mpg123_frameinfo frame{};
        if (mpg123_info(mh, &frame) == MPG123_OK) info->bitrate = frame.bitrate;
    }
    std::lock_guard lock(p.mutex);
    p.decoder = mh;
    p.fd = fd;
    p.rate = rate;
    p.channels = channels;
    p.length = length;
    p.position = 0;
    return 1;
}

int32_t vbmp3_play(void) {
    Player& p = Instance();
    if (!p.decoder) return 0;
    StopWorker(p);
    p.playing = true;
    p.worker = std::thread(Play, std::ref(p));
    return 1;
}

int32_t vbmp3_seek(int32_t seconds) {
    Player& p = Instance();
    if (!p.decoder || seconds < 0) return 0;
    {
        std::lock_guard lock(p.mutex);
        p.seekTarget = static_cast<long>(seconds) * p.rate;
        if (!p.playing) {
            // Not playing: move now, so the next play starts there.
            const long target = std::min<long>(p.seekTarget.exchange(kNoSeek), static_cast<long>(p.length));
            mpg123_seek(p.decoder, target, SEEK_SET);  // at the end, play finds nothing left
            p.position = target;
        }
        p.seekPending = true;
    }
    p.seekArrived.notify_all();
    return 1;
}

int32_t vbmp3_stop(void) {
    StopWorker(Instance());
    return 1;
}

int32_t vbmp3_close(void) {
    CloseDecoder(Instance());
    return 1;
}

int32_t vbmp3_stopCallback(void) { return 1; }

int32_t vbmp3_free(void) {
    CloseDecoder(Instance());
    return 1;
}
}

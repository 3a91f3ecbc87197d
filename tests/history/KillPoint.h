// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A process killed at a write the test chooses: SQLite's default file
// layer wrapped so that the nth write or sync to any file ends the process
// at once (SIGKILL, as a power cut would, with nothing flushed after it).
// Run in a child process; the parent then finds the file as a crash at
// that moment leaves it.
#include <sqlite3.h>

#include <csignal>
#include <cstdlib>

namespace kelvora::test {

class KillPoint {
public:
    // Makes the nth write or sync the last; to be called once per process,
    // before the first database is opened.
    static void Arm(int n) {
        Countdown() = n;
        static sqlite3_vfs vfs = *sqlite3_vfs_find(nullptr);
        Real() = sqlite3_vfs_find(nullptr);
        vfs.zName = "killpoint";
        vfs.szOsFile = static_cast<int>(sizeof(File)) + Real()->szOsFile;
        vfs.xOpen = Open;
        sqlite3_vfs_register(&vfs, 1);
    }

private:
    struct File {
        sqlite3_file base;
        sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
    };
    static int& Countdown() {
        static int n = 0;
        return n;
    }
    static sqlite3_vfs*& Real() {
        static sqlite3_vfs* v = nullptr;
        return v;
    }
    static void Tick() {
        if (--Countdown() == 0) std::raise(SIGKILL);
    }
    static sqlite3_file* R(sqlite3_file* f) { return reinterpret_cast<File*>(f)->real(); }

    static int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
        static const sqlite3_io_methods methods = {
            3,
            [](sqlite3_file* f) {
                const int rc = R(f)->pMethods ? R(f)->pMethods->xClose(R(f)) : SQLITE_OK;
                return rc;
            },
            [](sqlite3_file* f, void* b, int n, sqlite3_int64 o) { return R(f)->pMethods->xRead(R(f), b, n, o); },
            [](sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
                Tick();
                return R(f)->pMethods->xWrite(R(f), b, n, o);
            },
            [](sqlite3_file* f, sqlite3_int64 size) { return R(f)->pMethods->xTruncate(R(f), size); },
            [](sqlite3_file* f, int flags) {
                Tick();
                return R(f)->pMethods->xSync(R(f), flags);
            },
            [](sqlite3_file* f, sqlite3_int64* size) { return R(f)->pMethods->xFileSize(R(f), size); },
            [](sqlite3_file* f, int lock) { return R(f)->pMethods->xLock(R(f), lock); },
            [](sqlite3_file* f, int lock) { return R(f)->pMethods->xUnlock(R(f), lock); },
            [](sqlite3_file* f, int* out) { return R(f)->pMethods->xCheckReservedLock(R(f), out); },
            [](sqlite3_file* f, int op, void* arg) { return R(f)->pMethods->xFileControl(R(f), op, arg); },
            [](sqlite3_file* f) { return R(f)->pMethods->xSectorSize(R(f)); },
            [](sqlite3_file* f) { return R(f)->pMethods->xDeviceCharacteristics(R(f)); },
            [](sqlite3_file* f, int pg, int size, int extend, void volatile** p) {
                return R(f)->pMethods->xShmMap(R(f), pg, size, extend, p);
            },
            [](sqlite3_file* f, int offset, int n, int flags) { return R(f)->pMethods->xShmLock(R(f), offset, n, flags); },
            [](sqlite3_file* f) { R(f)->pMethods->xShmBarrier(R(f)); },
            [](sqlite3_file* f, int drop) { return R(f)->pMethods->xShmUnmap(R(f), drop); },
            [](sqlite3_file* f, sqlite3_int64 o, int n, void** p) { return R(f)->pMethods->xFetch(R(f), o, n, p); },
            [](sqlite3_file* f, sqlite3_int64 o, void* p) { return R(f)->pMethods->xUnfetch(R(f), o, p); },
        };
        File* file = reinterpret_cast<File*>(f);
        file->base.pMethods = nullptr;
        const int rc = Real()->xOpen(Real(), name, file->real(), flags, outFlags);
        if (rc == SQLITE_OK) file->base.pMethods = &methods;
        return rc;
    }
};

}  // namespace kelvora::test

// SQLite's own file layer with reads that fail on demand: a real I/O error where the disk would give one
// (program: link orvane_sqlite3). Installed as the default for the connections opened while it lives.
#pragma once

#include <sqlite3.h>

#include <atomic>

namespace orvane::test {

class FaultyVfs {
public:
    FaultyVfs() {
        base_ = sqlite3_vfs_find(nullptr);
        vfs_ = *base_;
        vfs_.zName = "orvane-faulty";
        vfs_.szOsFile = int(sizeof(Wrapper)) + base_->szOsFile;
        vfs_.pAppData = this;
        vfs_.xOpen = &FaultyVfs::open;
        sqlite3_vfs_register(&vfs_, 1);
    }
    ~FaultyVfs() { sqlite3_vfs_unregister(&vfs_); }
    FaultyVfs(const FaultyVfs&) = delete;
    FaultyVfs& operator=(const FaultyVfs&) = delete;

    // While on, every read of a database file fails as the disk failing would.
    void failReads(bool on) { failing_ = on; }

private:
    // Ours first; the real file's state lives right behind it.
    struct Wrapper {
        sqlite3_file base;
        FaultyVfs* self;
        sqlite3_file* real;
    };
    static sqlite3_file* forward(sqlite3_file* f) { return reinterpret_cast<Wrapper*>(f)->real; }

    static int open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags) {
        auto* self = static_cast<FaultyVfs*>(vfs->pAppData);
        sqlite3_file* real = reinterpret_cast<sqlite3_file*>(reinterpret_cast<char*>(file) + sizeof(Wrapper));
        const int rc = self->base_->xOpen(self->base_, name, real, flags, outFlags);
        auto* w = reinterpret_cast<Wrapper*>(file);
        w->self = self;
        w->real = real;
        if (rc != SQLITE_OK || real->pMethods == nullptr) {
            file->pMethods = nullptr;
            return rc;
        }
        self->methods_ = *real->pMethods;
        self->methods_.xClose = [](sqlite3_file* f) { return forward(f)->pMethods->xClose(forward(f)); };
        self->methods_.xRead = [](sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
            if (reinterpret_cast<Wrapper*>(f)->self->failing_)
                return SQLITE_IOERR_READ;
            return forward(f)->pMethods->xRead(forward(f), buffer, amount, offset);
        };
        self->methods_.xWrite = [](sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
            return forward(f)->pMethods->xWrite(forward(f), b, n, o);
        };
        self->methods_.xTruncate = [](sqlite3_file* f, sqlite3_int64 size) {
            return forward(f)->pMethods->xTruncate(forward(f), size);
        };
        self->methods_.xSync = [](sqlite3_file* f, int flags) {
            return forward(f)->pMethods->xSync(forward(f), flags);
        };
        self->methods_.xFileSize = [](sqlite3_file* f, sqlite3_int64* size) {
            return forward(f)->pMethods->xFileSize(forward(f), size);
        };
        self->methods_.xLock = [](sqlite3_file* f, int l) {
            return forward(f)->pMethods->xLock(forward(f), l);
        };
        self->methods_.xUnlock = [](sqlite3_file* f, int l) {
            return forward(f)->pMethods->xUnlock(forward(f), l);
        };
        self->methods_.xCheckReservedLock = [](sqlite3_file* f, int* out) {
            return forward(f)->pMethods->xCheckReservedLock(forward(f), out);
        };
        self->methods_.xFileControl = [](sqlite3_file* f, int op, void* arg) {
            return forward(f)->pMethods->xFileControl(forward(f), op, arg);
        };
        self->methods_.xSectorSize = [](sqlite3_file* f) {
            return forward(f)->pMethods->xSectorSize(forward(f));
        };
        self->methods_.xDeviceCharacteristics = [](sqlite3_file* f) {
            return forward(f)->pMethods->xDeviceCharacteristics(forward(f));
        };
        // No shared memory or memory mapping: the rollback journal reads every page through xRead.
        self->methods_.iVersion = 1;
        file->pMethods = &self->methods_;
        return rc;
    }

    sqlite3_vfs* base_ = nullptr;
    sqlite3_vfs vfs_{};
    sqlite3_io_methods methods_{};
    std::atomic<bool> failing_ = false;
};

} // namespace orvane::test

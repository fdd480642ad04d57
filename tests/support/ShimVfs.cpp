#include "ShimVfs.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <sqlite3.h>
#include <thread>

namespace {

std::atomic<int> g_syncDelayMs{0};
std::atomic<bool> g_failOpens{false};
std::atomic<bool> g_failReads{false};
std::atomic<bool> g_failWrites{false};
std::atomic<int> g_syncsBeforeFailing{-1};
std::atomic<int> g_syncCount{0};

sqlite3_vfs *g_real = nullptr;

// The system layer's file lives right behind ours, in the memory the engine gives us.
struct ShimFile {
    sqlite3_file base;
    sqlite3_file *real;
};

sqlite3_file *real(sqlite3_file *f)
{
    return reinterpret_cast<ShimFile *>(f)->real;
}

const sqlite3_io_methods *realMethods(sqlite3_file *f)
{
    return real(f)->pMethods;
}

int shimClose(sqlite3_file *f)
{
    return realMethods(f)->xClose(real(f));
}

int shimRead(sqlite3_file *f, void *buffer, int amount, sqlite3_int64 offset)
{
    if (g_failReads)
        return SQLITE_IOERR_READ;
    return realMethods(f)->xRead(real(f), buffer, amount, offset);
}

int shimWrite(sqlite3_file *f, const void *buffer, int amount, sqlite3_int64 offset)
{
    if (g_failWrites)
        return SQLITE_IOERR_WRITE;
    return realMethods(f)->xWrite(real(f), buffer, amount, offset);
}

int shimTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    return realMethods(f)->xTruncate(real(f), size);
}

int shimSync(sqlite3_file *f, int flags)
{
    if (const int ms = g_syncDelayMs; ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    ++g_syncCount;
    int passing = g_syncsBeforeFailing;
    while (passing > 0 && !g_syncsBeforeFailing.compare_exchange_weak(passing, passing - 1)) {
    }
    if (passing == 0)
        return SQLITE_IOERR_FSYNC;
    return realMethods(f)->xSync(real(f), flags);
}

int shimFileSize(sqlite3_file *f, sqlite3_int64 *size)
{
    return realMethods(f)->xFileSize(real(f), size);
}

int shimLock(sqlite3_file *f, int level)
{
    return realMethods(f)->xLock(real(f), level);
}

int shimUnlock(sqlite3_file *f, int level)
{
    return realMethods(f)->xUnlock(real(f), level);
}

int shimCheckReservedLock(sqlite3_file *f, int *reserved)
{
    return realMethods(f)->xCheckReservedLock(real(f), reserved);
}

int shimFileControl(sqlite3_file *f, int op, void *arg)
{
    return realMethods(f)->xFileControl(real(f), op, arg);
}

int shimSectorSize(sqlite3_file *f)
{
    return realMethods(f)->xSectorSize(real(f));
}

int shimDeviceCharacteristics(sqlite3_file *f)
{
    return realMethods(f)->xDeviceCharacteristics(real(f));
}

int shimShmMap(sqlite3_file *f, int region, int size, int extend, void volatile **p)
{
    return realMethods(f)->xShmMap(real(f), region, size, extend, p);
}

int shimShmLock(sqlite3_file *f, int offset, int n, int flags)
{
    return realMethods(f)->xShmLock(real(f), offset, n, flags);
}

void shimShmBarrier(sqlite3_file *f)
{
    realMethods(f)->xShmBarrier(real(f));
}

int shimShmUnmap(sqlite3_file *f, int deleteFlag)
{
    return realMethods(f)->xShmUnmap(real(f), deleteFlag);
}

int shimFetch(sqlite3_file *f, sqlite3_int64 offset, int amount, void **p)
{
    // No mapped page while reads fail: the engine then reads, and meets the failure.
    if (g_failReads) {
        *p = nullptr;
        return SQLITE_OK;
    }
    return realMethods(f)->xFetch(real(f), offset, amount, p);
}

int shimUnfetch(sqlite3_file *f, sqlite3_int64 offset, void *p)
{
    return realMethods(f)->xUnfetch(real(f), offset, p);
}

// The methods of the system file's version: the engine reads the version before it makes any of
// the later calls, so a file never sees a call its own layer lacks.
sqlite3_io_methods makeMethods(int version)
{
    sqlite3_io_methods m = {};
    m.iVersion = version;
    m.xClose = shimClose;
    m.xRead = shimRead;
    m.xWrite = shimWrite;
    m.xTruncate = shimTruncate;
    m.xSync = shimSync;
    m.xFileSize = shimFileSize;
    m.xLock = shimLock;
    m.xUnlock = shimUnlock;
    m.xCheckReservedLock = shimCheckReservedLock;
    m.xFileControl = shimFileControl;
    m.xSectorSize = shimSectorSize;
    m.xDeviceCharacteristics = shimDeviceCharacteristics;
    if (version >= 2) {
        m.xShmMap = shimShmMap;
        m.xShmLock = shimShmLock;
        m.xShmBarrier = shimShmBarrier;
        m.xShmUnmap = shimShmUnmap;
    }
    if (version >= 3) {
        m.xFetch = shimFetch;
        m.xUnfetch = shimUnfetch;
    }
    return m;
}

const sqlite3_io_methods g_methods[] = {makeMethods(1), makeMethods(2), makeMethods(3)};

int shimOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *f, int flags, int *outFlags)
{
    auto *shim = reinterpret_cast<ShimFile *>(f);
    shim->base.pMethods = nullptr;
    if (g_failOpens)
        return SQLITE_CANTOPEN;
    shim->real = reinterpret_cast<sqlite3_file *>(shim + 1);
    const int rc = g_real->xOpen(g_real, name, shim->real, flags, outFlags);
    // The engine calls close on a file whose open failed only when its methods are set.
    if (shim->real->pMethods) {
        const int version = std::clamp(shim->real->pMethods->iVersion, 1, 3);
        shim->base.pMethods = &g_methods[version - 1];
    }
    return rc;
}

int shimDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    return g_real->xDelete(g_real, name, syncDir);
}

int shimAccess(sqlite3_vfs *, const char *name, int flags, int *result)
{
    return g_real->xAccess(g_real, name, flags, result);
}

int shimFullPathname(sqlite3_vfs *, const char *name, int size, char *out)
{
    return g_real->xFullPathname(g_real, name, size, out);
}

void *shimDlOpen(sqlite3_vfs *, const char *name)
{
    return g_real->xDlOpen(g_real, name);
}

void shimDlError(sqlite3_vfs *, int size, char *message)
{
    g_real->xDlError(g_real, size, message);
}

void (*shimDlSym(sqlite3_vfs *, void *handle, const char *symbol))(void)
{
    return g_real->xDlSym(g_real, handle, symbol);
}

void shimDlClose(sqlite3_vfs *, void *handle)
{
    g_real->xDlClose(g_real, handle);
}

int shimRandomness(sqlite3_vfs *, int size, char *out)
{
    return g_real->xRandomness(g_real, size, out);
}

int shimSleep(sqlite3_vfs *, int microseconds)
{
    return g_real->xSleep(g_real, microseconds);
}

int shimCurrentTime(sqlite3_vfs *, double *now)
{
    return g_real->xCurrentTime(g_real, now);
}

int shimGetLastError(sqlite3_vfs *, int size, char *message)
{
    return g_real->xGetLastError ? g_real->xGetLastError(g_real, size, message) : 0;
}

int shimCurrentTimeInt64(sqlite3_vfs *, sqlite3_int64 *now)
{
    return g_real->xCurrentTimeInt64(g_real, now);
}

int shimSetSystemCall(sqlite3_vfs *, const char *name, sqlite3_syscall_ptr call)
{
    return g_real->xSetSystemCall(g_real, name, call);
}

sqlite3_syscall_ptr shimGetSystemCall(sqlite3_vfs *, const char *name)
{
    return g_real->xGetSystemCall(g_real, name);
}

const char *shimNextSystemCall(sqlite3_vfs *, const char *name)
{
    return g_real->xNextSystemCall(g_real, name);
}

sqlite3_vfs g_shim = {};

}  // namespace

namespace ShimVfs {

void install()
{
    static std::once_flag once;
    std::call_once(once, [] {
        g_real = sqlite3_vfs_find(nullptr);
        g_shim.iVersion = 3;
        g_shim.szOsFile = int(sizeof(ShimFile)) + g_real->szOsFile;
        g_shim.mxPathname = g_real->mxPathname;
        g_shim.zName = "zorvel-shim";
        g_shim.xOpen = shimOpen;
        g_shim.xDelete = shimDelete;
        g_shim.xAccess = shimAccess;
        g_shim.xFullPathname = shimFullPathname;
        g_shim.xDlOpen = shimDlOpen;
        g_shim.xDlError = shimDlError;
        g_shim.xDlSym = shimDlSym;
        g_shim.xDlClose = shimDlClose;
        g_shim.xRandomness = shimRandomness;
        g_shim.xSleep = shimSleep;
        g_shim.xCurrentTime = shimCurrentTime;
        g_shim.xGetLastError = shimGetLastError;
        g_shim.xCurrentTimeInt64 = shimCurrentTimeInt64;
        g_shim.xSetSystemCall = shimSetSystemCall;
        g_shim.xGetSystemCall = shimGetSystemCall;
        g_shim.xNextSystemCall = shimNextSystemCall;
        sqlite3_vfs_register(&g_shim, 1);
    });
}

void setSyncDelayMs(int ms)
{
    g_syncDelayMs = ms;
}

void setFailOpens(bool fail)
{
    g_failOpens = fail;
}

void setFailReads(bool fail)
{
    g_failReads = fail;
}

void setFailWrites(bool fail)
{
    g_failWrites = fail;
}

void setFailSyncsAfter(int passing)
{
    g_syncsBeforeFailing = passing;
}

int syncCount()
{
    return g_syncCount;
}

void reset()
{
    g_syncsBeforeFailing = -1;
    g_syncDelayMs = 0;
    g_failOpens = false;
    g_failReads = false;
    g_failWrites = false;
}

}  // namespace ShimVfs

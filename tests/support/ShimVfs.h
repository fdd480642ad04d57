#pragma once
// A file layer of our own between the database engine and the system's: it hands every call on
// unchanged, except that it can make every sync slower (as on a network share) and make opens,
// reads and writes fail as on a share that has been cut. Once installed it serves every
// connection the process opens from then on; the settings hold for all of them and may be changed
// at any moment from any thread.
namespace ShimVfs {

// Makes the layer the engine's default. Later calls change nothing.
void install();

// Every sync first sleeps this long (0: no delay).
void setSyncDelayMs(int ms);

// Failures on demand. A read or a write fails with an I/O error (SQLITE_IOERR_READ,
// SQLITE_IOERR_WRITE); an open fails as the system's layer fails any open the system refuses
// (SQLITE_CANTOPEN). Files already open stay open.
void setFailOpens(bool fail);
void setFailReads(bool fail);
void setFailWrites(bool fail);
// After this many more syncs pass, every sync fails (SQLITE_IOERR_FSYNC), what it would have
// synced already written; a negative number: syncs pass.
void setFailSyncsAfter(int passing);
// The syncs made since the layer was installed.
int syncCount();

// Everything back to passing calls on unchanged.
void reset();

}  // namespace ShimVfs

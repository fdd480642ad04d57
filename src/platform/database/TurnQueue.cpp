#include "database/TurnQueue.h"

#include <QFile>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr off_t GuardByte = 0;
constexpr off_t NextTicketAt = 0;
constexpr off_t TurnsEndedAt = 8;
constexpr off_t FirstSlotByte = 4096;   // well past the counters

bool heldByAnother(int error)
{
    return error == EAGAIN || error == EACCES;
}

struct flock byteRange(short type, off_t first, off_t count)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = first;
    lock.l_len = count;
    return lock;
}

// Locks of the open file, not of the process: closing another descriptor of this file, or another
// connection of this process, leaves them alone.
int setLock(int fd, short type, off_t at)
{
    struct flock lock = byteRange(type, at, 1);
    return fcntl(fd, F_OFD_SETLK, &lock);
}

off_t slotByte(int64_t ticket)
{
    const int64_t slot = ((ticket % TurnQueue::Slots) + TurnQueue::Slots) % TurnQueue::Slots;
    return FirstSlotByte + off_t(slot);
}

}  // namespace

std::unique_ptr<TurnQueue> TurnQueue::open(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    // A file system without such locks cannot carry the queue.
    struct flock probe = byteRange(F_WRLCK, GuardByte, 1);
    if (fcntl(fd, F_OFD_GETLK, &probe) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<TurnQueue>(new TurnQueue(fd));
}

TurnQueue::~TurnQueue()
{
    leave();
    ::close(m_fd);
}

bool TurnQueue::lockGuard()
{
    return setLock(m_fd, F_WRLCK, GuardByte) == 0;
}

void TurnQueue::unlockGuard()
{
    setLock(m_fd, F_UNLCK, GuardByte);
}

bool TurnQueue::readCounters(int64_t &nextTicket, int64_t &ended) const
{
    uchar bytes[16] = {};
    // A new or shortened file reads as zeros.
    if (pread(m_fd, bytes, sizeof bytes, 0) < 0)
        return false;
    nextTicket = std::max<int64_t>(0, qFromLittleEndian<qint64>(bytes + NextTicketAt));
    ended = std::max<int64_t>(0, qFromLittleEndian<qint64>(bytes + TurnsEndedAt));
    return true;
}

bool TurnQueue::writeCounter(int64_t offset, int64_t value)
{
    uchar bytes[8];
    qToLittleEndian<qint64>(value, bytes);
    return pwrite(m_fd, bytes, sizeof bytes, off_t(offset)) == ssize_t(sizeof bytes);
}

TurnQueue::Join TurnQueue::tryJoin()
{
    if (joined())
        return Join::Joined;
    if (!lockGuard())
        return heldByAnother(errno) ? Join::GuardBusy : Join::Failed;
    Join result = Join::Failed;
    int64_t next = 0, ended = 0;
    if (readCounters(next, ended)) {
        // A slot still held belongs to a ticket of a count that was lost (the file was emptied
        // while someone waited): that ticket is skipped.
        for (int64_t ticket = next; ticket < next + 8; ++ticket) {
            if (setLock(m_fd, F_WRLCK, slotByte(ticket)) != 0) {
                if (heldByAnother(errno))
                    continue;
                break;
            }
            if (!writeCounter(NextTicketAt, ticket + 1)) {
                setLock(m_fd, F_UNLCK, slotByte(ticket));
                break;
            }
            m_ticket = ticket;
            result = Join::Joined;
            break;
        }
    }
    unlockGuard();
    return result;
}

bool TurnQueue::isMyTurn() const
{
    // Every ticket ahead within the window, not only the one just before: one that gave up or
    // died while waiting must not let those behind it pass the ones ahead of it.
    return joined() && !ticketsHeld(m_ticket - Window, m_ticket - 1);
}

bool TurnQueue::isNext() const
{
    return joined() && ticketsHeld(m_ticket - 1, m_ticket - 1) && !ticketsHeld(m_ticket - Window, m_ticket - 2);
}

bool TurnQueue::ticketsHeld(int64_t firstTicket, int64_t lastTicket) const
{
    const off_t first = slotByte(firstTicket);
    const off_t last = slotByte(lastTicket);
    if (first <= last)
        return slotsHeld(first, last - first + 1);
    return slotsHeld(first, FirstSlotByte + off_t(Slots) - first) || slotsHeld(FirstSlotByte, last - FirstSlotByte + 1);
}

bool TurnQueue::slotsHeld(off_t first, off_t count) const
{
    struct flock lock = byteRange(F_WRLCK, first, count);
    // When the file cannot tell, the engine's lock decides alone.
    if (fcntl(m_fd, F_OFD_GETLK, &lock) != 0)
        return false;
    return lock.l_type != F_UNLCK;
}

int64_t TurnQueue::turnsEnded()
{
    if (!lockGuard())
        return -1;
    int64_t next = 0, ended = -1;
    if (!readCounters(next, ended))
        ended = -1;
    unlockGuard();
    return ended;
}

void TurnQueue::leave()
{
    if (!joined())
        return;
    // The guard is held for an instant only; a few short tries find it free. Without it the count
    // of ended turns misses one, which only makes a waiter think the queue stands still sooner.
    bool guarded = false;
    for (int tries = 0; tries < 50 && !(guarded = lockGuard()); ++tries) {
        if (!heldByAnother(errno))
            break;
        QThread::usleep(100);
    }
    if (guarded) {
        int64_t next = 0, ended = 0;
        if (readCounters(next, ended))
            writeCounter(TurnsEndedAt, ended + 1);
    }
    setLock(m_fd, F_UNLCK, slotByte(m_ticket));
    if (guarded)
        unlockGuard();
    m_ticket = -1;
}

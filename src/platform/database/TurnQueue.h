#pragma once
// A first-come, first-served queue of the connections that want to write one database file.
// The engine's own lock lets whoever asks at the right moment win, so a register that has just
// committed takes it again before one that has waited for seconds. The queue orders them
// instead, through a side file beside the database and byte-range locks on it only: that works
// between processes and between machines that share the folder, and a process that dies drops
// its locks with it, so it never blocks the others.
//
// The side file holds two counters: the next ticket and the number of turns ended. A short lock
// on its first byte guards them. A connection draws ticket t and, still holding that guard, locks
// the slot byte of t; its turn has come when the slots of the tickets before t are free. It
// unlocks its slot when its transaction is done. The locks belong to the open file (not to the process), so two
// connections of one process queue like any two.
//
// The queue only orders; the engine's lock still guards the data. A connection whose predecessor
// died goes ahead and meets the engine's lock like any writer.
#include <QString>
#include <cstdint>
#include <memory>
#include <sys/types.h>

class TurnQueue {
public:
    // Opens the side file, creating it; nothing when it cannot be opened for writing (a
    // read-only folder) or refuses locks.
    static std::unique_ptr<TurnQueue> open(const QString &path);
    ~TurnQueue();
    TurnQueue(const TurnQueue &) = delete;
    TurnQueue &operator=(const TurnQueue &) = delete;

    enum class Join { Joined, GuardBusy, Failed };
    // Draws a ticket without waiting. GuardBusy: another connection is drawing one this instant,
    // try again; Failed: the file refused a lock or a read or write (do without the queue).
    Join tryJoin();
    bool joined() const { return m_ticket >= 0; }
    int64_t ticket() const { return m_ticket; }
    // Every connection ahead has had its turn, left or died. Never waits.
    bool isMyTurn() const;
    // The turn comes next: only the connection just ahead still holds one.
    bool isNext() const;
    // How many turns have ended in this queue: it moves whenever the queue advances. Negative
    // when it cannot be read at this instant.
    int64_t turnsEnded();
    // Ends the turn (or the wait for it): the connection behind goes next.
    void leave();

    // Slots are reused modulo this many tickets: far more than registers ever wait at once.
    static constexpr int64_t Slots = 1 << 16;
    // How many tickets back a connection looks for one still ahead of it.
    static constexpr int64_t Window = 4096;

private:
    explicit TurnQueue(int fd) : m_fd(fd) {}
    bool lockGuard();
    void unlockGuard();
    bool readCounters(int64_t &nextTicket, int64_t &ended) const;
    bool writeCounter(int64_t offset, int64_t value);
    bool ticketsHeld(int64_t firstTicket, int64_t lastTicket) const;
    bool slotsHeld(off_t first, off_t count) const;

    int m_fd = -1;
    int64_t m_ticket = -1;
};

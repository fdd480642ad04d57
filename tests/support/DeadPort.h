#pragma once
// A receipt port that takes no bytes, as a printer out of paper or switched off: a FIFO that
// nobody reads (its open never goes through), or one whose reader reads nothing and whose pipe is
// full (every write waits). The port's environment variable points at it while it lives, and the
// bound of a port is shortened so that a test gives up in well under a second.
#include "platform/printing/Printing.h"
#include "TestHelpers.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

class DeadPort {
public:
    enum class Kind { NobodyReads, ReaderFull };

    DeadPort(const QString &path, Kind kind, const char *variable = "ZORVEL_LPT1")
        : m_path(path), m_guard(std::make_unique<EnvironmentGuard>(variable))
    {
        PrintChannel::setPortTimeoutMs(ShortBoundMs);
        qputenv(variable, QFile::encodeName(path));
        const QByteArray encoded = QFile::encodeName(path);
        QFile::remove(path);   // a stand-in device file of an earlier step
        m_valid = ::mkfifo(encoded.constData(), 0600) == 0;
        if (!m_valid || kind == Kind::NobodyReads)
            return;
        m_reader = ::open(encoded.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        const int writer = ::open(encoded.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        m_valid = m_reader >= 0 && writer >= 0;
        if (m_valid) {
            ::fcntl(writer, F_SETPIPE_SZ, 4096);   // the smallest pipe: quick to fill
            const QByteArray filler(4096, 'F');
            while (::write(writer, filler.constData(), size_t(filler.size())) > 0 || errno == EINTR) {
            }
            m_valid = errno == EAGAIN || errno == EWOULDBLOCK;
        }
        if (writer >= 0)
            ::close(writer);
    }
    ~DeadPort()
    {
        if (m_reader >= 0)
            ::close(m_reader);
        QFile::remove(m_path);
        PrintChannel::setPortTimeoutMs(0);
    }
    DeadPort(const DeadPort &) = delete;
    DeadPort &operator=(const DeadPort &) = delete;

    bool isValid() const { return m_valid; }
    QString path() const { return m_path; }

    static constexpr int ShortBoundMs = 400;

private:
    QString m_path;
    std::unique_ptr<EnvironmentGuard> m_guard;
    int m_reader = -1;
    bool m_valid = false;
};

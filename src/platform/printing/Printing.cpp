#include "printing/Printing.h"

#include "text/CodePage.h"
#include "system/FileWrites.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <cerrno>
#include <cstring>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

// ---------------------------------------------------------------------------------------------
// Print channel

namespace {

using FileWrites::systemError;
using FileWrites::writeAll;

}  // namespace

// Named, not file-local: a channel's File keeps one.
namespace PortWaiting {

struct PortWaitHooks {
    std::function<void()> whileWaiting;
    std::function<void()> waitEnded;
    int timeoutMs = PrintChannel::PortTimeoutMs;
};

PortWaitHooks &portWaitHooks()
{
    static PortWaitHooks hooks;
    return hooks;
}

// The waits of one port's output. The bound runs from the last byte the port took (or from the
// first try to open it): a slow printer that keeps taking bytes is waited for, one that takes
// none is given up. The hook runs while waiting, so that the windows keep painting; the wait is
// over when the channel is closed.
class PortWait {
public:
    ~PortWait()
    {
        const PortWaitHooks &hooks = portWaitHooks();
        if (m_started && hooks.waitEnded) {
            try {
                hooks.waitEnded();
            } catch (...) {
            }
        }
    }

    // Waits a moment for fd to take bytes (fd < 0: just a moment). False once the bound is past.
    bool pause(int fd)
    {
        const PortWaitHooks &hooks = portWaitHooks();
        if (!m_idle.isValid())
            m_idle.start();
        if (m_idle.elapsed() >= hooks.timeoutMs)
            return false;
        m_started = true;
        if (hooks.whileWaiting) {
            try {
                hooks.whileWaiting();
            } catch (...) {
            }
        }
        constexpr int SliceMs = 20;
        pollfd ready{fd, POLLOUT, 0};
        // A device whose driver cannot be polled always looks ready: after such a refusal the
        // next pause sleeps its slice instead of spinning.
        const int answer = fd >= 0 && !m_readyButRefused ? ::poll(&ready, 1, SliceMs) : ::poll(nullptr, 0, SliceMs);
        m_readyButRefused = fd >= 0 && answer > 0;
        return true;
    }

    void progressed()
    {
        if (m_idle.isValid())
            m_idle.restart();
        m_readyButRefused = false;
    }

private:
    QElapsedTimer m_idle;
    bool m_started = false;
    bool m_readyButRefused = false;
};

}  // namespace PortWaiting

using namespace PortWaiting;

struct PrintChannel::File {
    File(int fd_, QString name_, bool entry_ = false) : fd(fd_), name(std::move(name_)), entry(entry_) {}

    int fd = -1;
    QString name;  // as the caller named it, for messages
    bool entry = false;  // opened by openEntry: writes wait in `pending` for commitEntry
    QByteArray pending;
    std::unique_ptr<PortWait> portWait;  // a port: its writes never block
    bool gaveUp = false;  // the port did not answer: the rest of the output is dropped

    ~File()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

namespace {

int openWithRetry(const QByteArray &path, int flags)
{
    int fd;
    do {
        fd = ::open(path.constData(), flags | O_CLOEXEC | O_NOCTTY, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// The open of a port does not wait for the printer: a FIFO without its reader or a device
// another program holds is tried again until the bound.
bool openRefusedForNow(int error)
{
    return error == ENXIO || error == EBUSY || error == EAGAIN || error == EWOULDBLOCK;
}

QString notAnsweredText(const QString &port, const QString &path)
{
    const int seconds = (PrintChannel::portTimeoutMs() + 999) / 1000;
    const QString where = port == path ? path : QStringLiteral("%1 (%2)").arg(port, path);
    return QStringLiteral("The printer on %1 did not answer for %2 s; it may be switched off or out of paper.")
        .arg(where)
        .arg(seconds);
}

bool isRegularFileOrMissing(const QByteArray &path)
{
    struct stat info;
    if (::stat(path.constData(), &info) != 0)
        return true;
    return S_ISREG(info.st_mode);
}

}  // namespace

QString PrintChannel::devicePathForPort(const QString &port)
{
    const QString name = port.toLower();
    const char *variable = nullptr;
    const char *fallback = nullptr;
    if (name == QLatin1String("lpt1:")) {
        variable = "ZORVEL_LPT1";
        fallback = "/dev/lp0";
    } else if (name == QLatin1String("lpt2:")) {
        variable = "ZORVEL_LPT2";
        fallback = "/dev/lp1";
    } else {
        return QString();
    }
    const QString named = qEnvironmentVariable(variable);
    return named.isEmpty() ? QString::fromLatin1(fallback) : named;
}

int PrintChannel::portTimeoutMs()
{
    return portWaitHooks().timeoutMs;
}

void PrintChannel::setPortTimeoutMs(int ms)
{
    portWaitHooks().timeoutMs = ms > 0 ? ms : PortTimeoutMs;
}

void PrintChannel::setPortWaitHook(std::function<void()> whileWaiting, std::function<void()> waitEnded)
{
    PortWaitHooks &hooks = portWaitHooks();
    hooks.whileWaiting = std::move(whileWaiting);
    hooks.waitEnded = std::move(waitEnded);
}

bool PrintChannel::openPort(const QString &port, const QString &path)
{
    auto wait = std::make_unique<PortWait>();
    const QByteArray encoded = QFile::encodeName(path);
    int fd;
    while ((fd = openWithRetry(encoded, O_WRONLY | O_APPEND | O_NONBLOCK)) < 0) {
        const int error = errno;
        if (!openRefusedForNow(error)) {
            m_error = QStringLiteral("Cannot open %1 (%2): %3").arg(port, path, systemError(error));
            return false;
        }
        if (!wait->pause(-1)) {
            m_error = notAnsweredText(port, path);
            return false;
        }
    }
    wait->progressed();
    m_file = std::make_shared<File>(fd, port);
    m_file->portWait = std::move(wait);
    m_portPath = path;
    return true;
}

bool PrintChannel::openForOutput(const QString &nameOrPort)
{
    close();
    m_error.clear();
    const QString device = devicePathForPort(nameOrPort);
    if (!device.isEmpty())
        return openPort(nameOrPort, device);
    const QString &path = nameOrPort;
    if (path.isEmpty()) {
        m_error = QStringLiteral("No file name given.");
        return false;
    }
    const QByteArray encoded = QFile::encodeName(path);
    const int flags = isRegularFileOrMissing(encoded) ? O_WRONLY | O_CREAT | O_TRUNC
                                                      : O_WRONLY;  // a device or pipe named as a file: nothing to empty
    const int fd = openWithRetry(encoded, flags);
    if (fd < 0) {
        m_error = QStringLiteral("Cannot open %1: %2").arg(path, systemError(errno));
        return false;
    }
    m_file = std::make_shared<File>(fd, path);
    return true;
}

bool PrintChannel::openForAppend(const QString &path)
{
    close();
    m_error.clear();
    const QString device = devicePathForPort(path);
    if (!device.isEmpty())
        return openPort(path, device);
    if (path.isEmpty()) {
        m_error = QStringLiteral("No file name given.");
        return false;
    }
    const int fd = openWithRetry(QFile::encodeName(path), O_WRONLY | O_APPEND | O_CREAT);
    if (fd < 0) {
        m_error = QStringLiteral("Cannot open %1: %2").arg(path, systemError(errno));
        return false;
    }
    m_file = std::make_shared<File>(fd, path);
    return true;
}

bool PrintChannel::openEntry(const QString &path)
{
    close();
    m_error.clear();
    if (path.isEmpty()) {
        m_error = QStringLiteral("No file name given.");
        return false;
    }
    const QByteArray encoded = QFile::encodeName(path);
    // Read access only to see how the file ends; a file that may only be written still takes
    // entries.
    int fd = openWithRetry(encoded, O_RDWR | O_APPEND | O_CREAT);
    if (fd < 0 && errno == EACCES)
        fd = openWithRetry(encoded, O_WRONLY | O_APPEND | O_CREAT);
    if (fd < 0) {
        m_error = QStringLiteral("Cannot open %1: %2").arg(path, systemError(errno));
        return false;
    }
    m_file = std::make_shared<File>(fd, path, true);
    return true;
}

namespace {

// What puts the next entry on a line of its own after a file that ends in the middle of one (an
// entry cut short before this program took them whole, or an edit by hand).
QByteArray lineStartAfter(int fd, off_t length)
{
    char last = '\n';
    if (length <= 0 || ::pread(fd, &last, 1, length - 1) != 1)
        return QByteArray();
    if (last == '\n')
        return QByteArray();
    return last == '\r' ? QByteArray("\n") : QByteArray("\r\n");
}

// A write to a pipe whose reader went away must come back as EPIPE, not end the program.
class NoBrokenPipeSignal {
public:
    NoBrokenPipeSignal()
    {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        m_wasPending = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe, &m_before);
    }
    ~NoBrokenPipeSignal()
    {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        if (!m_wasPending && sigismember(&pending, SIGPIPE) == 1) {
            const timespec now{0, 0};
            sigtimedwait(&pipe, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
    }
    NoBrokenPipeSignal(const NoBrokenPipeSignal &) = delete;
    NoBrokenPipeSignal &operator=(const NoBrokenPipeSignal &) = delete;

private:
    sigset_t m_before;
    bool m_wasPending = false;
};

// Writes all of the bytes to a port opened without blocking, waiting in slices while it takes
// none. "" when all went out, else why not; *gaveUp when the bound passed.
QString writeAllToPort(int fd, PortWait &wait, const char *data, qsizetype left, bool *gaveUp)
{
    const NoBrokenPipeSignal noSignal;
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written > 0) {
            data += written;
            left -= written;
            wait.progressed();
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return systemError(errno);
        if (!wait.pause(fd)) {
            *gaveUp = true;
            return QString();
        }
    }
    return QString();
}

}  // namespace

bool PrintChannel::commitEntry()
{
    if (!isOpen() || !m_file->entry) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("The print file is not open.");
        return false;
    }
    const QByteArray body = std::exchange(m_file->pending, QByteArray());
    if (!m_error.isEmpty())
        return false;
    struct stat info;
    if (::fstat(m_file->fd, &info) != 0) {
        m_error = QStringLiteral("Cannot write to %1: %2").arg(m_file->name, systemError(errno));
        return false;
    }
    const off_t before = info.st_size;
    const QByteArray entry = lineStartAfter(m_file->fd, before) + body;
    const QString failure = writeAll(m_file->fd, entry.constData(), entry.size());
    if (failure.isEmpty())
        return true;
    m_error = QStringLiteral("Cannot write to %1: %2").arg(m_file->name, failure);
    int cut;
    do {
        cut = ::ftruncate(m_file->fd, before);
    } while (cut != 0 && errno == EINTR);
    if (cut != 0)
        m_error += QStringLiteral(" (the part written could not be taken back: %1)").arg(systemError(errno));
    return false;
}

bool PrintChannel::isOpen() const
{
    return m_file && m_file->fd >= 0;
}

void PrintChannel::writeLine(const QString &line)
{
    QByteArray bytes = CodePage::encode(line);
    bytes.append("\r\n", 2);
    writeRaw(bytes);
}

void PrintChannel::writeRaw(const QByteArray &bytes)
{
    if (!isOpen()) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("The print file is not open.");
        return;
    }
    if (m_file->entry) {
        m_file->pending.append(bytes);
        return;
    }
    if (m_file->portWait) {
        // Held for the write: the windows paint while it waits, and nothing they run may pull the
        // file away underneath it.
        const std::shared_ptr<File> file = m_file;
        const QString portPath = m_portPath;
        if (file->gaveUp)
            return;
        bool gaveUp = false;
        const QString failure = writeAllToPort(file->fd, *file->portWait, bytes.constData(), bytes.size(), &gaveUp);
        if (file != m_file)
            return;
        if (gaveUp) {
            m_file->gaveUp = true;
            m_error = notAnsweredText(m_file->name, portPath);
        } else if (!failure.isEmpty() && m_error.isEmpty()) {
            m_error = QStringLiteral("Cannot write to %1 (%2): %3").arg(m_file->name, portPath, failure);
        }
        return;
    }
    const QString failure = writeAll(m_file->fd, bytes.constData(), bytes.size());
    if (!failure.isEmpty() && m_error.isEmpty())
        m_error = QStringLiteral("Cannot write to %1: %2").arg(m_file->name, failure);
}

void PrintChannel::close()
{
    m_file.reset();
}

// ---------------------------------------------------------------------------------------------
// System printer

namespace {

// Prints through Qt's printer, one line under the other at the line height of the line's font,
// starting a new page when the next line does not fit. The QPrinter is made when the first line
// of a document is printed: making one asks the print system for its printers, which must not
// happen at start-up or for a program that never prints.
class QtSystemPrinter : public SystemPrinter {
public:
    ~QtSystemPrinter() override { endDoc(); }

    void setFont(const QString &name, int pointSize) override
    {
        m_fontName = name;
        m_pointSize = pointSize;
        if (m_painter.isActive())
            m_painter.setFont(currentFont());
    }

    void printLine(const QString &line) override
    {
        if (m_failed || (!m_painter.isActive() && !beginDocument()))
            return;
        const QFontMetricsF metrics(m_painter.font(), m_printer.get());
        const qreal height = metrics.lineSpacing();
        const qreal pageHeight = m_printer->height();
        if (m_y > 0 && m_y + height > pageHeight) {
            if (!m_printer->newPage()) {
                m_error = QStringLiteral("The printer could not start a new page.");
                m_failed = true;
                return;
            }
            m_y = 0;
        }
        m_painter.drawText(QPointF(0, m_y + metrics.ascent()), line);
        m_y += height;
    }

    void endDoc() override
    {
        if (m_painter.isActive())
            m_painter.end();
        m_printer.reset();
        m_y = 0;
        m_failed = false;
    }

    QString errorText() const override { return m_error; }

private:
    QFont currentFont() const
    {
        QFont font(m_fontName.isEmpty() ? QStringLiteral("Courier New") : m_fontName);
        font.setPointSize(m_pointSize > 0 ? m_pointSize : 10);
        return font;
    }

    bool beginDocument()
    {
        m_error.clear();
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        const QString pdf = qEnvironmentVariable("ZORVEL_PRINTER_PDF");
        if (!pdf.isEmpty()) {
            m_printer->setOutputFormat(QPrinter::PdfFormat);
            m_printer->setOutputFileName(pdf);
        }
        if (const auto &choice = systemPrinterChoice()) {
            if (pdf.isEmpty())
                m_printer->setPrinterName(choice->printerName);
            m_printer->setPageLayout(choice->pageLayout);
        }
        m_printer->setDocName(QStringLiteral("ZORVEL"));
        if (!m_painter.begin(m_printer.get())) {
            m_error = pdf.isEmpty() ? QStringLiteral("The printer is not available.")
                                    : QStringLiteral("Cannot write %1.").arg(pdf);
            m_printer.reset();
            m_failed = true;  // the rest of this document is lost too; endDoc starts afresh
            return false;
        }
        m_painter.setFont(currentFont());
        m_y = 0;
        return true;
    }

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QString m_fontName;
    int m_pointSize = 0;
    qreal m_y = 0;
    bool m_failed = false;
    QString m_error;
};

// Never destroyed: a printer must not be torn down after the application object is gone.
SystemPrinter *&currentPrinter()
{
    static SystemPrinter *printer = nullptr;
    return printer;
}

}  // namespace

std::optional<SystemPrinterChoice> &systemPrinterChoice()
{
    static std::optional<SystemPrinterChoice> choice;
    return choice;
}

SystemPrinter &systemPrinter()
{
    SystemPrinter *&printer = currentPrinter();
    if (!printer)
        printer = new QtSystemPrinter;
    return *printer;
}

void setSystemPrinter(std::unique_ptr<SystemPrinter> printer)
{
    SystemPrinter *&current = currentPrinter();
    delete current;
    current = printer.release();
}

#pragma once
// The print outputs: "file number 1" (a receipt port or a text file) and the system printer.
#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The one print channel the program writes receipts, reports and text files through. Text goes
// out in the single-byte code page, each line ended by CR LF; control bytes go out raw.
class PrintChannel {
public:
    // "lpt1:" / "lpt2:" (any case) open the receipt printer's device file ($ZORVEL_LPT1 /
    // $ZORVEL_LPT2, else /dev/lp0 and /dev/lp1) for writing; any other name is a file path.
    // Returns false (and sets errorText) when it cannot be opened.
    // A port's file must already exist and is never created, so that a missing printer is an
    // error and not a new file in /dev; what is sent goes after what was sent before, as on
    // paper (a test's stand-in file collects every printout). A plain file is created or emptied.
    // A channel that is open is closed first.
    // A port never holds the program up: a printer that is switched off or out of paper stops
    // taking bytes, and a port that takes none (nor opens) for PortTimeoutMs is given up, the rest
    // of the output dropped and errorText() saying that the printer did not answer. While a port
    // is waited for, the port wait hook keeps the windows painting.
    bool openForOutput(const QString &nameOrPort);
    bool openForAppend(const QString &path);
    // A text file that takes one entry at a time (the journal, the review file), created when
    // missing. What is written after openEntry() is held back; commitEntry() appends it in one
    // write, on a line of its own even when the file ends in the middle of one, or, when that
    // write fails (a full disk), cuts the file back to its length before, so that the file holds
    // whole entries only. Closing without a commit writes nothing.
    bool openEntry(const QString &path);
    bool commitEntry();  // false when the entry is not in the file; errorText says why
    bool isOpen() const;
    void writeLine(const QString &line);   // text + CR LF
    void writeRaw(const QByteArray &bytes);
    void close();
    // Why the last open failed, or the first write since that failed ("" when all went well).
    // Writing to a channel that is not open writes nothing and sets it.
    QString errorText() const { return m_error; }

    static QString devicePathForPort(const QString &port);  // "" when the name is not a port

    static constexpr int PortTimeoutMs = 5000;
    static int portTimeoutMs();
    static void setPortTimeoutMs(int ms);  // tests shorten it; <= 0 restores PortTimeoutMs
    // whileWaiting runs over and over while a port is waited for, waitEnded once the channel that
    // waited is closed.
    static void setPortWaitHook(std::function<void()> whileWaiting, std::function<void()> waitEnded);

private:
    bool openPort(const QString &port, const QString &path);

    struct File;
    std::shared_ptr<File> m_file;
    QString m_portPath;  // the device file of an open port, for messages
    QString m_error;
};

// The system printer: font per line, one line at a time, end of document.
class SystemPrinter {
public:
    virtual ~SystemPrinter() = default;
    virtual void setFont(const QString &name, int pointSize) = 0;
    virtual void printLine(const QString &line) = 0;
    virtual void endDoc() = 0;
    // Why the printer could not print the current document; "" when it could.
    virtual QString errorText() const { return {}; }
};

// The printer the program prints to: a QPrinter on the default printer, or a PDF file when
// $ZORVEL_PRINTER_PDF names one. Tests replace it with a recording printer.
SystemPrinter &systemPrinter();
void setSystemPrinter(std::unique_ptr<SystemPrinter> printer);  // null restores the default

// The printer and paper chosen in the printer dialog, kept for the rest of the run as the
// platform keeps its own printer settings: every document printed on the system printer from
// then on goes to that printer on that paper. Nothing chosen: the default printer and its paper.
struct SystemPrinterChoice {
    QString printerName;
    QPageLayout pageLayout;
};
std::optional<SystemPrinterChoice> &systemPrinterChoice();

// A printer that remembers what it was asked to print, for tests.
class RecordingPrinter : public SystemPrinter {
public:
    struct Line { QString font; int pointSize; QString text; };
    void setFont(const QString &name, int pointSize) override { m_font = name; m_size = pointSize; }
    void printLine(const QString &line) override { lines.push_back({m_font, m_size, line}); }
    void endDoc() override { ++documents; }
    std::vector<Line> lines;
    int documents = 0;

private:
    QString m_font;
    int m_size = 0;
};

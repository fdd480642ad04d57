#include "shell/dbModule.h"

#include "platform/system/System.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"
#include "shell/DatabaseWaitNotice.h"
#include "shell/MainSchema.h"
#include "shell/StartupFiles.h"
#include <QDir>
#include <QFileInfo>

namespace dbModule {

std::unique_ptr<Database> OptionsDatabase;
std::unique_ptr<Database> MainDatabase;

QString MjestoProdaje;
QString PrinterZaIzvjestaj;
QString VelFont;
QString Font;
QString Currency;
int16_t PraznihLinijaPoslijeRacuna = 0;
QString StanjeKaseVidljivo;
QString PrintKasir;
QString TipRacuna;
int16_t Kasa = 0;
QString ServerName;
QString RekapPoreza;
QString PrinterZaRacun;
QString Emulacija;
QString RezacPapira;
QString SkenerPrimarno;
QString ReceiptJournalName;
bool TrakaRacunaFileDA = false;
QString FiskalniFile;
QString FiskalniRacunDA;
QString Footer;
bool DisplejKupca = false;
bool Kusur = false;
QString POSMonitor;
bool Kupac = false;
bool PonudiZakljucak = false;
QString ChangeUser;
bool NoviRacunAutomatski = false;

QString CompanyName;
QString CompanyAddress;
QString CompanyJIB;
QString CompanyTel;

int16_t DecimalSeparator = 0;
QString CurrentLoginNo;
QString CurrentUserID;
QString CurrentUserFullName;
QString CurrentUserPosition;

QWidget *CallerForm = nullptr;
QString HelpFile;

void resetModuleVariables()
{
    OptionsDatabase.reset();
    MainDatabase.reset();
    MjestoProdaje = PrinterZaIzvjestaj = VelFont = Font = Currency = QString();
    PraznihLinijaPoslijeRacuna = 0;
    StanjeKaseVidljivo = PrintKasir = TipRacuna = QString();
    Kasa = 0;
    ServerName = RekapPoreza = PrinterZaRacun = Emulacija = RezacPapira = SkenerPrimarno = QString();
    ReceiptJournalName = QString();
    TrakaRacunaFileDA = false;
    FiskalniFile = FiskalniRacunDA = Footer = QString();
    DisplejKupca = Kusur = false;
    POSMonitor = QString();
    Kupac = PonudiZakljucak = false;
    ChangeUser = QString();
    NoviRacunAutomatski = false;
    CompanyName = CompanyAddress = CompanyJIB = CompanyTel = QString();
    DecimalSeparator = 0;
    CurrentLoginNo = CurrentUserID = CurrentUserFullName = CurrentUserPosition = QString();
    CallerForm = nullptr;
    HelpFile = QString();
}

const NumberFormat &UserNumberFormat()
{
    return System::numberFormat();
}

QString GetLocaleText(int32_t lcType)
{
    constexpr int32_t LocaleDecimalSeparator = 14;
    if (lcType != LocaleDecimalSeparator)
        return QString();
    return QString(System::localeDecimalSeparator());
}

namespace {

// What start-up checks of a file it has just opened, and a reopened file is checked for again.
// A file that cannot be written is found at once, with its name, not at the first write.
void checkOpenedOptions(Database &db)
{
    StartupFiles::requireTables(db);
    db.checkWritable();
}

void checkOpenedMain(Database &db)
{
    StartupFiles::requireTables(db);
    // A file from an earlier version gets the indexes the sale road needs before it is used.
    MainSchema::addMissingIndexes(db);
    db.checkWritable();
}

std::unique_ptr<Database> openChecked(const QString &name, void (*check)(Database &))
{
    const QString path = System::programPath(name);
    try {
        auto db = Database::open(path, DatabaseWaitNotice::attach);
        check(*db);
        return db;
    } catch (const AppError &e) {
        // Both files fail alike; the message says which one, and what to do.
        throw StartupFiles::named(e, path);
    }
}

}  // namespace

void OpenOptionsDatabase()
{
    OptionsDatabase = openChecked(QStringLiteral("\\opt.pos"), checkOpenedOptions);
}

void OpenMainDatabase()
{
    MainDatabase = openChecked(QStringLiteral("\\DODE.pos"), checkOpenedMain);
}

void reopenBrokenDatabases()
{
    // From inside a wait nothing may use the database: the engine is in the middle of a statement.
    if (DatabaseWaitNotice::waiting())
        raiseError(ErrorNo::RecordLocked);
    const bool broken = (OptionsDatabase && OptionsDatabase->broken()) || (MainDatabase && MainDatabase->broken());
    if (!broken || (OptionsDatabase && OptionsDatabase->inUse()) || (MainDatabase && MainDatabase->inUse()))
        return;
    // Both files live in the same folder: when one of them went away, the other's handles are as
    // stale, even if no statement has met it yet.
    try {
        if (OptionsDatabase)
            OptionsDatabase->reopen(checkOpenedOptions);
        if (MainDatabase)
            MainDatabase->reopen(checkOpenedMain);
    } catch (const AppError &e) {
        QString cause = e.description().trimmed();
        if (!cause.endsWith(QLatin1Char('.')))
            cause += QLatin1Char('.');
        throw AppError(e.number(), QStringLiteral("The database could not be opened again: %1 Nothing was read or "
                                                  "stored; the next try opens it again.")
                                       .arg(cause));
    }
}

Database &mainDatabase()
{
    if (!MainDatabase)
        raiseError(ErrorNo::FileNotFound);
    reopenBrokenDatabases();
    return *MainDatabase;
}

void LoadOptions()
{
    auto row = OptionsDatabase->queryFirst(QStringLiteral("SELECT * FROM Options"));
    if (!row)
        raiseError(ErrorNo::NoCurrentRecord);
    const NumberFormat &nf = UserNumberFormat();
    // A field that cannot be read is named with its file: the number and description alone do
    // not say where to look.
    auto named = [&](const char *field, auto convert) {
        try {
            return convert((*row)[QLatin1String(field)]);
        } catch (const AppError &e) {
            QString cause = e.description().trimmed();
            while (cause.endsWith(QLatin1Char('.')))
                cause.chop(1);
            throw AppError(e.number(), QStringLiteral("%1: the field %2 of %3.")
                                           .arg(cause, QLatin1String(field),
                                                QDir::toNativeSeparators(OptionsDatabase->path())));
        }
    };
    auto text = [&](const char *field) { return named(field, [&](const Value &v) { return v.toText(nf); }); };
    auto int16 = [&](const char *field) { return named(field, [&](const Value &v) { return v.toInt16(nf); }); };
    auto flag = [&](const char *field) { return named(field, [&](const Value &v) { return v.toBool(nf); }); };

    // In the order of the options record: a Null stops the loading at its field (error 94),
    // except the three fields that have a rule of their own.
    const Value &place = (*row)[QStringLiteral("MjestoProdaje")];
    MjestoProdaje = place.isNull() ? QString() : text("MjestoProdaje");
    PrinterZaIzvjestaj = text("PrinterZaIzvjestaj");
    VelFont = text("VelFont");
    Font = text("Font");
    Currency = text("Currency");
    PraznihLinijaPoslijeRacuna = int16("PraznihLinijaPoslijeRacuna");
    StanjeKaseVidljivo = text("StanjeKaseVidljivo");
    PrintKasir = text("PrintKasir");
    TipRacuna = text("TipRacuna");
    const Value &register_ = (*row)[QStringLiteral("Kasa")];
    if (!register_.isNull())
        Kasa = int16("Kasa");
    const Value &server = (*row)[QStringLiteral("ServerName")];
    if (!server.isNull())
        ServerName = text("ServerName");
    RekapPoreza = text("RekapPoreza");
    PrinterZaRacun = text("PrinterZaRacun");
    Emulacija = text("Emulacija");
    RezacPapira = text("RezacPapira");
    SkenerPrimarno = text("SkenerPrimarno");
    ReceiptJournalName = QStringLiteral("invoices.txt");
    TrakaRacunaFileDA = flag("TrakaRacunaFileDA");
    FiskalniFile = text("FiskalniFile");
    FiskalniRacunDA = text("FiskalniRacunDA");
    Footer = text("Footer");
    DisplejKupca = flag("DisplejKupca");
    Kusur = flag("Kusur");
    POSMonitor = text("POSMonitor");
    Kupac = flag("Kupac");
    PonudiZakljucak = flag("PonudiZakljucak");
    ChangeUser = text("ChangeUser");
    NoviRacunAutomatski = flag("NoviRacunAutomatski");
}

void LoadCompanyHeader()
{
    CompanyName = CompanyAddress = CompanyJIB = CompanyTel = QString();
    auto row = mainDatabase().queryFirst(QStringLiteral("SELECT Naziv, Adresa, JIB, Tel FROM Company"));
    if (!row)
        return;
    CompanyName = (*row)[QStringLiteral("Naziv")].textOr();
    CompanyAddress = (*row)[QStringLiteral("Adresa")].textOr();
    CompanyJIB = (*row)[QStringLiteral("JIB")].textOr();
    CompanyTel = (*row)[QStringLiteral("Tel")].textOr();
}

void ExecuteSQL(const QString &sql, const Params &params)
{
    mainDatabase().execute(sql, params);
}

QString ProperCase(const QString &text)
{
    if (text.isEmpty())
        return text;
    QString out = text;
    out[0] = out[0].toUpper();
    for (qsizetype i = 0; i + 1 < out.size(); ++i) {
        if (out[i] == QLatin1Char('\r') && out[i + 1] == QLatin1Char('\n') && i + 2 < out.size())
            out[i + 2] = out[i + 2].toUpper();
        if (out[i] == QLatin1Char(' '))
            out[i + 1] = out[i + 1].toUpper();
    }
    return out;
}

PrintChannel &FileNumber1()
{
    // Its waits for a port show as the database's do: the windows paint and a notice says why.
    static PrintChannel channel = (DatabaseWaitNotice::attachPorts(), PrintChannel());
    return channel;
}

void PrintLine(const QString &target, const QString &line)
{
    if (target == QLatin1String("1") || target == QLatin1String("2"))
        FileNumber1().writeLine(line);
    else if (target == QLatin1String("3"))
        systemPrinter().printLine(line);
}

void FeedLines(int16_t count)
{
    for (int i = 0; i < count; ++i)
        FileNumber1().writeLine(QString());
}

// Widths are the columns the text takes once written in the code page, so that a character the
// page writes as one "?" (an emoji, two UTF-16 units) still fills one column.
QString PadLeft(int32_t width, const QString &text)
{
    const qsizetype written = CodePage::writtenWidth(text);
    if (width <= written)
        return text;
    return QString(width - written, QLatin1Char(' ')) + text;
}

QString PadRight(int32_t width, const QString &text)
{
    // A negative width (a caller's column arithmetic can produce one) gives an empty text.
    if (width <= 0)
        return QString();
    const qsizetype written = CodePage::writtenWidth(text);
    if (width <= written)
        return CodePage::leftByWidth(text, width);
    return text + QString(width - written, QLatin1Char(' '));
}

bool FileExists(const QString &path)
{
    return System::fileExists(path);
}

bool IsFormLoaded(const QWidget *window)
{
    return ui::isFormLoaded(window);
}

int64_t LastEndReportNo()
{
    return lastEndReportNo(mainDatabase()).value_or(0);
}

std::optional<int64_t> lastEndReportNo(Database &db)
{
    const Value last = db.scalar(QStringLiteral("SELECT Max(Grupni) FROM Sales"));
    if (last.isNull())
        return std::nullopt;
    return last.toInt64(System::numberFormat());
}

}  // namespace dbModule

namespace modDialogs {

QString ShowOpenFileDialog(QWidget *owner, const QString &filter, const QString &title,
                           const QString &initialFolder, bool useOwner)
{
    // The filter comes as description and pattern pairs separated by NUL characters.
    QList<ui::FileFilter> filters;
    const QStringList parts = filter.split(QChar(0), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters.append({parts[i], parts[i + 1]});
    QString chosen = ui::dialogs().openFile(useOwner ? owner : nullptr, title, initialFolder, filters);
    return chosen.isEmpty() ? QStringLiteral("0") : chosen;
}

QString FileNameFromPath(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? path : path.mid(cut + 1);
}

}  // namespace modDialogs

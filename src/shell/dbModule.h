#pragma once
// The shared module: the two database handles, the option variables, the logged-in user, the
// company header lines, the window hand-over globals and the shared procedures.
#include "platform/database/Database.h"
#include "platform/printing/Printing.h"
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QWidget;

namespace dbModule {

// Database handles, opened once at start-up and kept open.
extern std::unique_ptr<Database> OptionsDatabase;
extern std::unique_ptr<Database> MainDatabase;

// Option variables, named after their Options fields, in the order start-up reads them.
extern QString MjestoProdaje;
extern QString PrinterZaIzvjestaj;
extern QString VelFont;
extern QString Font;
extern QString Currency;            // the currency sign printed on receipts
extern int16_t PraznihLinijaPoslijeRacuna;
extern QString StanjeKaseVidljivo;
extern QString PrintKasir;
extern QString TipRacuna;
extern int16_t Kasa;
extern QString ServerName;
extern QString RekapPoreza;
extern QString PrinterZaRacun;
extern QString Emulacija;
extern QString RezacPapira;
extern QString SkenerPrimarno;
extern QString ReceiptJournalName;  // always "invoices.txt"
extern bool TrakaRacunaFileDA;
extern QString FiskalniFile;
extern QString FiskalniRacunDA;
extern QString Footer;
extern bool DisplejKupca;
extern bool Kusur;
extern QString POSMonitor;
extern bool Kupac;
extern bool PonudiZakljucak;
extern QString ChangeUser;
extern bool NoviRacunAutomatski;

// Company header lines of every receipt, read from the Company row at start-up.
extern QString CompanyName;
extern QString CompanyAddress;
extern QString CompanyJIB;
extern QString CompanyTel;

// Start-up and the logged-in user.
extern int16_t DecimalSeparator;    // character code of the user's decimal separator
extern QString CurrentLoginNo;
extern QString CurrentUserID;
extern QString CurrentUserFullName;
extern QString CurrentUserPosition;

// Hand-over between windows.
extern QWidget *CallerForm;
extern QString HelpFile;            // "\helpZORVEL.rtf", "\Lozinka.rtf", "\Podesavanje.rtf"

// Resets every variable above to its state before start-up (tests; start-up itself).
void resetModuleVariables();

// --- Shared procedures ---------------------------------------------------------------------

// The user's decimal separator as text (LCType 14 is the only one asked for).
QString GetLocaleText(int32_t lcType);
// Each opens its file, checks that it can be written (the main one also gets the indexes it
// lacks) and shows its waits with the wait notice.
void OpenOptionsDatabase();   // program folder + "\opt.pos"; a missing file raises 3024
void OpenMainDatabase();      // program folder + "\DODE.pos"
// After a file error that means a database file or its folder went away, both are closed and
// opened again, with the checks above, before anything uses them; a reopen that fails raises its
// own error and the next call tries again. From inside a wait for the database it raises 3260.
void reopenBrokenDatabases();
// The open main database; every window reaches it through here. Raises 3024 when it is not open;
// reopens the databases as reopenBrokenDatabases() says.
Database &mainDatabase();
// Loads every option variable from the first Options row, with the Null rules of each field.
void LoadOptions();
// Reads the four company header variables from the first Company row; no row or a Null field
// leaves that variable empty.
void LoadCompanyHeader();

// Runs one statement on the main database with bound values.
void ExecuteSQL(const QString &sql, const Params &params = {});
QString ProperCase(const QString &text);

// The print channel the callers open as "file number 1" before printing to target "1" or "2".
PrintChannel &FileNumber1();
// Target "1"/"2": the line + CR LF to file number 1; "3": the system printer; else nothing.
void PrintLine(const QString &target, const QString &line);
void FeedLines(int16_t count);
QString PadLeft(int32_t width, const QString &text);
QString PadRight(int32_t width, const QString &text);
bool FileExists(const QString &path);
bool IsFormLoaded(const QWidget *window);
// The largest End Report number stored (Max(Grupni)), 0 when there is none.
int64_t LastEndReportNo();
// The same of the given database; none when no shift was ever closed.
std::optional<int64_t> lastEndReportNo(Database &db);

// The number format of the user, for every conversion of typed and shown numbers.
const NumberFormat &UserNumberFormat();

}  // namespace dbModule

namespace modDialogs {
// The open-file dialog through the replaceable dialog interface; "0" when cancelled.
QString ShowOpenFileDialog(QWidget *owner, const QString &filter, const QString &title,
                           const QString &initialFolder, bool useOwner);
// Everything after the last "\" or "/".
QString FileNameFromPath(const QString &path);
}

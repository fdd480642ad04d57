#pragma once
// Reading and writing the one Options row, and what the settings windows store: the values taken
// from their controls, checked first, written in one statement, and only then copied into the
// option variables that take effect at once. A failed write leaves every variable as it was.
#include "platform/database/Database.h"
#include "shell/EditedRow.h"
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace OptionsRecord {

// The open options database; raises 3021 when start-up never opened it.
Database &database();

// The first row of "SELECT * FROM Options"; raises 3021 when the table has no row.
Row read(Database &db);

// Writes the named fields of the first row in one statement (the names come from the program,
// the values are bound); raises 3021 when there is no row.
using Fields = std::vector<std::pair<QString, Value>>;
void write(Database &db, const Fields &fields);

// Writes into the first row the fields whose value differs from `loaded`, the row as a window read
// it; another register may have saved meanwhile, and a field changed there as well is written only
// when `ask` says so (EditedRow). Returns the row as stored now.
struct EditedField {
    QString column;
    QString label;   // the window's name for it
    Value typed;
};
using EditedFields = std::vector<EditedField>;
Row writeEdited(Database &db, const Row &loaded, const EditedFields &fields, const EditedRow::Ask &ask);

// The register number the way the windows read txtKasa: the number at the start of the text
// (an empty box or a text without a leading number is 0, "5a" is 5), rounded to a whole number.
// Nothing when that number cannot be stored as a register number (below 0 or above 32767), so
// that the next start-up can still load it.
std::optional<int16_t> registerNumberFromText(const QString &text);
QString registerNumberRangeMessage();

// The value a check box stores: 1 or 0 as it is ticked, except that a stored value the box
// cannot show (FiskalniRacunDA 2 picks the second fiscal dialect, yet shows as a ticked box) is
// kept as long as the user leaves the box as it was shown.
Value checkBoxValue(const Value &stored, bool tickedWhenShown, bool ticked);

// What the settings window saves, as its controls hold it. Check boxes hold checkBoxValue().
struct Settings {
    Value displejKupca = Value::integer(0);
    Value kusur = Value::integer(0);
    Value prikaziOdmah = Value::integer(0);
    Value printKasir = Value::integer(0);
    Value trakaRacunaFileDA = Value::integer(0);
    Value showAmount = Value::integer(0);   // StanjeKaseVidljivo
    Value fiskalniRacunDA = Value::integer(0);
    Value rezacPapira = Value::integer(0);
    QString currency;
    QString fiskalniFile;
    QString footer;
    QString serverName;
    QString kasaText;
    QString mjestoProdaje;
};

// Stores the settings with the option-button variables (TipRacuna, POSMonitor, PrinterZaRacun,
// Emulacija, PrinterZaIzvjestaj, RekapPoreza, ChangeUser) as they stand: only the fields that
// differ from `loaded`, the row as the window read it, since another register may have saved
// its settings meanwhile; a field changed there as well is written only when `ask` says so
// (EditedRow). Then the variables that take effect at once take what the row holds.
// FiskalniRacunDA, FiskalniFile, Footer, Kasa and ServerName reach only the row: they take effect
// at the next start. Raises AppError on failure (nothing changed then); the register number must
// have been checked with registerNumberFromText.
void saveSettings(Database &db, const Row &loaded, const Settings &settings, const EditedRow::Ask &ask);

// What the window says after saving: "Changes are saved." and, when the settings change an option
// the running program read at its start (the fiscal printer's switch and file, the footer), that
// these apply from the next log-in. Compares with what is in effect, so call it before or after
// saveSettings alike.
QString savedMessage(const Settings &settings);

// The register window: ServerName and Kasa, row only; `loaded` as for writeEdited.
void saveNetwork(Database &db, const Row &loaded, const QString &serverName, int16_t kasa, const EditedRow::Ask &ask);

// The printer font window: VelFont from its variable and Font from the text shown, as for
// writeEdited; the variables follow what the row holds once it is written.
void savePrinterFont(Database &db, const Row &loaded, const QString &fontName, const EditedRow::Ask &ask);

}  // namespace OptionsRecord

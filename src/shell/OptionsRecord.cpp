#include "shell/OptionsRecord.h"

#include "shell/dbModule.h"
#include <cmath>

namespace OptionsRecord {

Database &database()
{
    if (!dbModule::OptionsDatabase)
        raiseError(ErrorNo::NoCurrentRecord);
    dbModule::reopenBrokenDatabases();
    return *dbModule::OptionsDatabase;
}

namespace {
const QString firstRow = QStringLiteral("rowid = (SELECT rowid FROM Options ORDER BY rowid LIMIT 1)");
}

Row read(Database &db)
{
    auto row = db.queryFirst(QStringLiteral("SELECT * FROM Options ORDER BY rowid LIMIT 1"));
    if (!row)
        raiseError(ErrorNo::NoCurrentRecord);
    return *row;
}

void write(Database &db, const Fields &fields)
{
    if (fields.empty())
        return;
    QStringList assignments;
    Params params;
    for (const auto &[name, value] : fields) {
        assignments << name + QStringLiteral(" = ?");
        params.push_back(value);
    }
    const int changed = db.execute(QStringLiteral("UPDATE Options SET ") + assignments.join(QStringLiteral(", "))
                                       + QStringLiteral(" WHERE ") + firstRow,
                                   params);
    if (changed == 0)
        raiseError(ErrorNo::NoCurrentRecord);
}

std::optional<int16_t> registerNumberFromText(const QString &text)
{
    double number = 0;
    try {
        number = Val(text);
    } catch (const AppError &) {
        return std::nullopt;
    }
    const double whole = std::nearbyint(number);   // half to even, as the 16-bit field is read
    if (!(whole >= 0 && whole <= 32767))
        return std::nullopt;
    return int16_t(whole);
}

QString registerNumberRangeMessage()
{
    return QStringLiteral("Cash register No must be a number from 0 to 32767.");
}

Value checkBoxValue(const Value &stored, bool tickedWhenShown, bool ticked)
{
    if (ticked == tickedWhenShown && !stored.isNull())
        return stored;
    return Value::integer(ticked ? 1 : 0);
}

namespace {

bool isOn(const Value &v)
{
    try {
        return !v.isNull() && v.toBool(dbModule::UserNumberFormat());
    } catch (const AppError &) {
        return false;
    }
}

QString flagText(const Value &v)
{
    return v.textOr(QString(), dbModule::UserNumberFormat());
}

}  // namespace

Row writeEdited(Database &db, const Row &loaded, const EditedFields &fields, const EditedRow::Ask &ask)
{
    EditedRow row(QStringLiteral("Options"), firstRow);
    for (const EditedField &f : fields) {
        const Value &was = loaded.has(f.column) ? loaded[f.column] : Value();
        row.field(f.column, f.label, was, f.typed, !EditedRow::same(f.typed, was));
    }
    return row.save(db, ask).row;
}

void saveSettings(Database &db, const Row &loaded, const Settings &s, const EditedRow::Ask &ask)
{
    using namespace dbModule;
    const auto kasa = registerNumberFromText(s.kasaText);
    if (!kasa)
        throw AppError(ErrorNo::Overflow, registerNumberRangeMessage());
    auto text = [](const QString &t) { return Value::text(t); };
    // Each field with the window's name for it.
    const EditedFields fields = {
        {QStringLiteral("DisplejKupca"), QStringLiteral("Show window with display for custumer"), s.displejKupca},
        {QStringLiteral("Kusur"), QStringLiteral("7.Change"), s.kusur},
        {QStringLiteral("PrikaziOdmah"), QStringLiteral("8.Show all products in Search"), s.prikaziOdmah},
        {QStringLiteral("PrintKasir"), QStringLiteral("5.Cashier"), s.printKasir},
        {QStringLiteral("TrakaRacunaFileDA"), QStringLiteral("9.Make printed invoices ribbon on HDD"), s.trakaRacunaFileDA},
        {QStringLiteral("StanjeKaseVidljivo"), QStringLiteral("5.Show amount in cash register on main form"), s.showAmount},
        {QStringLiteral("ChangeUser"), QStringLiteral("6.Ask password when change cashier"), text(ChangeUser)},
        {QStringLiteral("Currency"), QStringLiteral("4.Currency"), text(s.currency)},
        {QStringLiteral("FiskalniRacunDA"), QStringLiteral("10.Print only on fiscal printer"), s.fiskalniRacunDA},
        {QStringLiteral("FiskalniFile"), QStringLiteral("10.Print only on fiscal printer"), text(s.fiskalniFile)},
        {QStringLiteral("TipRacuna"), QStringLiteral("1.Printing items on the invoice"), text(TipRacuna)},
        {QStringLiteral("POSMonitor"), QStringLiteral("POS Monitor"), text(POSMonitor)},
        {QStringLiteral("PrinterZaRacun"), QStringLiteral("1.Printer for invoices"), text(PrinterZaRacun)},
        {QStringLiteral("Emulacija"), QStringLiteral("2. POS Printer emulalation"), text(Emulacija)},
        {QStringLiteral("RezacPapira"), QStringLiteral("cutter POS printer"), s.rezacPapira},
        {QStringLiteral("PrinterZaIzvjestaj"), QStringLiteral("3.Printer for reports"), text(PrinterZaIzvjestaj)},
        {QStringLiteral("RekapPoreza"), QStringLiteral("2.Recapitulation taxes"), text(RekapPoreza)},
        {QStringLiteral("Footer"), QStringLiteral("6.Footer text on invoice"), text(s.footer)},
        {QStringLiteral("ServerName"), QStringLiteral("1.Server path"), text(s.serverName)},
        {QStringLiteral("Kasa"), QStringLiteral("2.Cash register No"), Value::integer(*kasa)},
        {QStringLiteral("MjestoProdaje"), QStringLiteral("Store Place"), text(s.mjestoProdaje)},
    };
    const Row stored = writeEdited(db, loaded, fields, ask);
    // The row holds them now (another register's value where the user kept it); these apply to
    // the running program at once.
    auto field = [&](const char *column) { return stored[QLatin1String(column)]; };
    DisplejKupca = isOn(field("DisplejKupca"));
    Kusur = isOn(field("Kusur"));
    PrintKasir = flagText(field("PrintKasir"));
    TrakaRacunaFileDA = isOn(field("TrakaRacunaFileDA"));
    StanjeKaseVidljivo = flagText(field("StanjeKaseVidljivo"));
    dbModule::Currency = flagText(field("Currency"));
    RezacPapira = flagText(field("RezacPapira"));
    MjestoProdaje = flagText(field("MjestoProdaje"));
    for (auto [column, variable] : {std::pair{"ChangeUser", &ChangeUser}, std::pair{"TipRacuna", &TipRacuna},
                                    std::pair{"POSMonitor", &POSMonitor}, std::pair{"PrinterZaRacun", &PrinterZaRacun},
                                    std::pair{"Emulacija", &Emulacija},
                                    std::pair{"PrinterZaIzvjestaj", &PrinterZaIzvjestaj},
                                    std::pair{"RekapPoreza", &RekapPoreza}})
        if (!field(column).isNull())
            *variable = flagText(field(column));
}

QString savedMessage(const Settings &s)
{
    using namespace dbModule;
    QStringList later;
    if (flagText(s.fiskalniRacunDA) != FiskalniRacunDA)
        later << QStringLiteral("\"print only on fiscal printer\"");
    if (s.fiskalniFile != FiskalniFile)
        later << QStringLiteral("the fiscal printer's file name");
    if (s.footer != Footer)
        later << QStringLiteral("the footer text");
    QString message = QStringLiteral("Changes are saved.");
    if (!later.isEmpty())
        message += QStringLiteral("\nFrom the next log-in: ") + later.join(QStringLiteral(", ")) + QLatin1Char('.');
    return message;
}

void saveNetwork(Database &db, const Row &loaded, const QString &serverName, int16_t kasa, const EditedRow::Ask &ask)
{
    writeEdited(db, loaded,
                {{QStringLiteral("ServerName"), QStringLiteral("1.Server path"), Value::text(serverName)},
                 {QStringLiteral("Kasa"), QStringLiteral("2.Cash register No"), Value::integer(kasa)}},
                ask);
}

void savePrinterFont(Database &db, const Row &loaded, const QString &fontName, const EditedRow::Ask &ask)
{
    const Row stored = writeEdited(
        db, loaded,
        {{QStringLiteral("VelFont"), QStringLiteral("Font size"), Value::text(dbModule::VelFont)},
         {QStringLiteral("Font"), QStringLiteral("currently selected font"), Value::text(fontName)}},
        ask);
    dbModule::Font = stored[QStringLiteral("Font")].textOr();
    if (!stored[QStringLiteral("VelFont")].isNull())
        dbModule::VelFont = flagText(stored[QStringLiteral("VelFont")]);
}

}  // namespace OptionsRecord

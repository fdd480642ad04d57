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

void saveSettings(Database &db, const Row &loaded, const Settings &s, const EditedRow::Ask &ask)
{
    using namespace dbModule;
    const auto kasa = registerNumberFromText(s.kasaText);
    if (!kasa)
        throw AppError(ErrorNo::Overflow, registerNumberRangeMessage());
    auto text = [](const QString &t) { return Value::text(t); };
    // Each field with the window's name for it.
    const struct {
        const char *column;
        QString label;
        Value typed;
    } fields[] = {
        {"DisplejKupca", QStringLiteral("Show window with display for custumer"), s.displejKupca},
        {"Kusur", QStringLiteral("7.Change"), s.kusur},
        {"PrikaziOdmah", QStringLiteral("8.Show all products in Search"), s.prikaziOdmah},
        {"PrintKasir", QStringLiteral("5.Cashier"), s.printKasir},
        {"TrakaRacunaFileDA", QStringLiteral("9.Make printed invoices ribbon on HDD"), s.trakaRacunaFileDA},
        {"StanjeKaseVidljivo", QStringLiteral("5.Show amount in cash register on main form"), s.showAmount},
        {"ChangeUser", QStringLiteral("6.Ask password when change cashier"), text(ChangeUser)},
        {"Currency", QStringLiteral("4.Currency"), text(s.currency)},
        {"FiskalniRacunDA", QStringLiteral("10.Print only on fiscal printer"), s.fiskalniRacunDA},
        {"FiskalniFile", QStringLiteral("10.Print only on fiscal printer"), text(s.fiskalniFile)},
        {"TipRacuna", QStringLiteral("1.Printing items on the invoice"), text(TipRacuna)},
        {"POSMonitor", QStringLiteral("POS Monitor"), text(POSMonitor)},
        {"PrinterZaRacun", QStringLiteral("1.Printer for invoices"), text(PrinterZaRacun)},
        {"Emulacija", QStringLiteral("2. POS Printer emulalation"), text(Emulacija)},
        {"RezacPapira", QStringLiteral("cutter POS printer"), s.rezacPapira},
        {"PrinterZaIzvjestaj", QStringLiteral("3.Printer for reports"), text(PrinterZaIzvjestaj)},
        {"RekapPoreza", QStringLiteral("2.Recapitulation taxes"), text(RekapPoreza)},
        {"Footer", QStringLiteral("6.Footer text on invoice"), text(s.footer)},
        {"ServerName", QStringLiteral("1.Server path"), text(s.serverName)},
        {"Kasa", QStringLiteral("2.Cash register No"), Value::integer(*kasa)},
        {"MjestoProdaje", QStringLiteral("Store Place"), text(s.mjestoProdaje)},
    };
    EditedRow row(QStringLiteral("Options"), firstRow);
    for (const auto &f : fields) {
        const QString column = QLatin1String(f.column);
        const Value &was = loaded.has(column) ? loaded[column] : Value();
        row.field(column, f.label, was, f.typed, !EditedRow::same(f.typed, was));
    }
    const Row stored = row.save(db, ask).row;
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

void saveNetwork(Database &db, const QString &serverName, int16_t kasa)
{
    write(db, {{QStringLiteral("ServerName"), Value::text(serverName)},
               {QStringLiteral("Kasa"), Value::integer(kasa)}});
}

void savePrinterFont(Database &db, const QString &fontName)
{
    write(db, {{QStringLiteral("VelFont"), Value::text(dbModule::VelFont)},
               {QStringLiteral("Font"), Value::text(fontName)}});
    dbModule::Font = fontName;
}

}  // namespace OptionsRecord

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

void saveSettings(Database &db, const Settings &s)
{
    using namespace dbModule;
    const auto kasa = registerNumberFromText(s.kasaText);
    if (!kasa)
        throw AppError(ErrorNo::Overflow, registerNumberRangeMessage());
    auto flag = [](const Value &v) { return v; };
    auto text = [](const QString &t) { return Value::text(t); };
    write(db, {
                  {QStringLiteral("DisplejKupca"), flag(s.displejKupca)},
                  {QStringLiteral("Kusur"), flag(s.kusur)},
                  {QStringLiteral("PrikaziOdmah"), flag(s.prikaziOdmah)},
                  {QStringLiteral("PrintKasir"), flag(s.printKasir)},
                  {QStringLiteral("TrakaRacunaFileDA"), flag(s.trakaRacunaFileDA)},
                  {QStringLiteral("StanjeKaseVidljivo"), flag(s.showAmount)},
                  {QStringLiteral("ChangeUser"), text(ChangeUser)},
                  {QStringLiteral("Currency"), text(s.currency)},
                  {QStringLiteral("FiskalniRacunDA"), flag(s.fiskalniRacunDA)},
                  {QStringLiteral("FiskalniFile"), text(s.fiskalniFile)},
                  {QStringLiteral("TipRacuna"), text(TipRacuna)},
                  {QStringLiteral("POSMonitor"), text(POSMonitor)},
                  {QStringLiteral("PrinterZaRacun"), text(PrinterZaRacun)},
                  {QStringLiteral("Emulacija"), text(Emulacija)},
                  {QStringLiteral("RezacPapira"), flag(s.rezacPapira)},
                  {QStringLiteral("PrinterZaIzvjestaj"), text(PrinterZaIzvjestaj)},
                  {QStringLiteral("RekapPoreza"), text(RekapPoreza)},
                  {QStringLiteral("Footer"), text(s.footer)},
                  {QStringLiteral("ServerName"), text(s.serverName)},
                  {QStringLiteral("Kasa"), Value::integer(*kasa)},
                  {QStringLiteral("MjestoProdaje"), text(s.mjestoProdaje)},
              });
    // The row holds them now; these apply to the running program at once.
    DisplejKupca = isOn(s.displejKupca);
    Kusur = isOn(s.kusur);
    PrintKasir = flagText(s.printKasir);
    TrakaRacunaFileDA = isOn(s.trakaRacunaFileDA);
    StanjeKaseVidljivo = flagText(s.showAmount);
    dbModule::Currency = s.currency;
    RezacPapira = flagText(s.rezacPapira);
    MjestoProdaje = s.mjestoProdaje;
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

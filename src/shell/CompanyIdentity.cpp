#include "shell/CompanyIdentity.h"

#include "platform/text/CodePage.h"
#include <algorithm>

namespace CompanyIdentityRecord {

namespace {

// The runtime's "invalid procedure call or argument".
constexpr int InvalidArgument = 5;

const QString FirstRow = QStringLiteral("WHERE rowid = (SELECT min(rowid) FROM Company)");

// The first character the receipt printer's code page cannot hold, or an empty text.
QString firstUnprintable(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, width);
        if (CodePage::decode(CodePage::encode(one)) != one)
            return one;
        i += width - 1;
    }
    return QString();
}

bool hasControlCharacter(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

QString nameProblem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("The company name can't be empty.");
    if (hasControlCharacter(name))
        return QStringLiteral("The company name must be one line of text, without tabs or line breaks.");
    const QString unprintable = firstUnprintable(name);
    if (!unprintable.isEmpty())
        return QStringLiteral("The company name contains \"%1\", which receipts cannot print.").arg(unprintable);
    if (name.size() > MaxNameLength)
        return QStringLiteral("The company name can have at most %1 characters, to fit the narrowest receipt; "
                              "\"%2\" has %3.")
            .arg(MaxNameLength)
            .arg(name)
            .arg(name.size());
    return QString();
}

QString numberProblem(const QString &number)
{
    const bool digitsOnly =
        std::all_of(number.begin(), number.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
    if (number.size() == NumberDigits && digitsOnly)
        return QString();
    return QStringLiteral("The identification number must be %1 digits, without spaces or other signs "
                          "(for example 4200000000001); \"%2\" is not.")
        .arg(NumberDigits)
        .arg(number);
}

}  // namespace

CompanyIdentity normalized(const CompanyIdentity &identity)
{
    CompanyIdentity out;
    // Composed letters: "c" typed with a combining caron is the code page's "č", one column wide.
    if (identity.name)
        out.name = identity.name->normalized(QString::NormalizationForm_C).trimmed();
    if (identity.number)
        out.number = identity.number->trimmed();
    return out;
}

QStringList problems(const CompanyIdentity &identity)
{
    const CompanyIdentity checked = normalized(identity);
    QStringList out;
    if (checked.name) {
        const QString problem = nameProblem(*checked.name);
        if (!problem.isEmpty())
            out << problem;
    }
    if (checked.number) {
        const QString problem = numberProblem(*checked.number);
        if (!problem.isEmpty())
            out << problem;
    }
    return out;
}

void requireNoProblems(const CompanyIdentity &identity)
{
    const QStringList found = problems(identity);
    if (!found.isEmpty())
        throw AppError(InvalidArgument, found.join(QLatin1Char(' ')));
}

void writeInto(Database &db, const CompanyIdentity &identity)
{
    if (identity.isEmpty())
        return;
    if (db.scalar(QStringLiteral("SELECT count(*) FROM Company")).toInt64() == 0)
        db.execute(QStringLiteral("INSERT INTO Company DEFAULT VALUES"));
    if (identity.name)
        db.execute(QStringLiteral("UPDATE Company SET Naziv = ? ") + FirstRow, {Value::text(*identity.name)});
    if (identity.number)
        db.execute(QStringLiteral("UPDATE Company SET JIB = ? ") + FirstRow, {Value::text(*identity.number)});
}

void store(Database &db, const CompanyIdentity &identity)
{
    requireNoProblems(identity);
    const CompanyIdentity values = normalized(identity);
    db.writeTransaction([&] { writeInto(db, values); });
}

CompanyIdentity stored(Database &db)
{
    const std::optional<Row> row = db.queryFirst(QStringLiteral("SELECT Naziv, JIB FROM Company ORDER BY rowid"));
    CompanyIdentity out{QString(), QString()};
    if (row) {
        out.name = row->at(0).textOr();
        out.number = row->at(1).textOr();
    }
    return out;
}

}  // namespace CompanyIdentityRecord

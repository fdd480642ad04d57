#include "shell/EditedRow.h"

#include "platform/ui/Dialogs.h"
#include "shell/dbModule.h"

#include <map>

namespace {

// The question is asked again when the stored value moves once more while it is up; this many
// rounds, then the save gives up.
constexpr int Rounds = 5;

bool isNumber(const Value &v)
{
    switch (v.kind()) {
    case Value::Kind::Integer:
    case Value::Kind::Real:
    case Value::Kind::Money:
    case Value::Kind::Boolean:
        return true;
    default:
        return false;
    }
}

bool isZeroOrEmpty(const Value &v)
{
    if (v.isNull())
        return true;
    if (v.kind() == Value::Kind::Text)
        return v.textOr().isEmpty();
    if (isNumber(v)) {
        try {
            return v.toCurrency() == Currency();
        } catch (const AppError &) {
            return false;
        }
    }
    return false;
}

QString shownText(const Value &v)
{
    return v.textOr(QString(), dbModule::UserNumberFormat());
}

}  // namespace

EditedRow::EditedRow(QString table, QString where, Params whereParams)
    : m_table(std::move(table)), m_where(std::move(where)), m_whereParams(std::move(whereParams))
{
}

void EditedRow::field(const QString &column, const QString &label, const Value &loaded, const Value &typed,
                      bool changedHere, Shown shown, const QStringList &copies)
{
    m_fields.push_back({column, label, loaded, typed, changedHere, shown ? std::move(shown) : Shown(shownText), copies});
}

bool EditedRow::same(const Value &a, const Value &b)
{
    if (a.isNull() || b.isNull())
        return isZeroOrEmpty(a) && isZeroOrEmpty(b);
    if (a.kind() == b.kind())
        return a == b;
    if (isNumber(a) && isNumber(b)) {
        try {
            return a.toCurrency() == b.toCurrency();
        } catch (const AppError &) {
            return false;
        }
    }
    // A number kept as text in one place and as a number in the other ("1" and 1).
    return a.toText() == b.toText();
}

EditedRow::Outcome EditedRow::save(Database &db, const Ask &ask) const
{
    // The answers given, each with the stored value it was given about.
    struct Answer {
        Value stored;
        bool overwrite;
    };
    std::map<QString, Answer> answers;
    for (int round = 0; round < Rounds; ++round) {
        Outcome outcome;
        std::vector<std::pair<const Field *, Value>> unanswered;
        bool gone = false;
        db.writeTransaction([&] {
            // A busy database runs this again: nothing of a pass before may remain.
            outcome = Outcome();
            unanswered.clear();
            gone = false;
            const std::optional<Row> row = db.queryFirst(
                QStringLiteral("SELECT * FROM ") + m_table + QStringLiteral(" WHERE ") + m_where, m_whereParams);
            gone = !row;
            if (gone)
                return;
            QStringList assignments;
            Params values;
            std::vector<Value> merged;
            for (int i = 0; i < row->size(); ++i)
                merged.push_back(row->at(i));
            const auto assign = [&](const QString &column, const Value &value) {
                assignments << column + QStringLiteral(" = ?");
                values.push_back(value);
                outcome.written << column;
                const QStringList &names = row->names();
                for (int i = 0; i < names.size(); ++i)
                    if (names[i].compare(column, Qt::CaseInsensitive) == 0)
                        merged[size_t(i)] = value;
            };
            for (const Field &f : m_fields) {
                if (!f.changedHere)
                    continue;   // the user left it: whatever is stored stays
                const Value &stored = (*row)[f.column];
                if (!same(stored, f.loaded) && !same(stored, f.typed)) {
                    const auto answer = answers.find(f.column);
                    if (answer == answers.end() || !same(answer->second.stored, stored)) {
                        unanswered.emplace_back(&f, stored);
                        continue;
                    }
                    if (!answer->second.overwrite) {
                        outcome.kept << f.column;
                        continue;
                    }
                }
                assign(f.column, f.typed);
                for (const QString &copy : f.copies)
                    assign(copy, f.typed);
            }
            // Questions first, outside the transaction; nothing is written in this pass.
            if (!unanswered.empty())
                return;
            if (m_check)
                m_check(*row, outcome.written);
            if (!assignments.isEmpty()) {
                Params params = values;
                params.insert(params.end(), m_whereParams.begin(), m_whereParams.end());
                db.execute(QStringLiteral("UPDATE ") + m_table + QStringLiteral(" SET ")
                               + assignments.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") + m_where,
                           params);
            }
            outcome.row = Row(std::make_shared<const QStringList>(row->names()), std::move(merged));
        });
        // Deleted meanwhile, at another register: said as a missing record, not as a failed write.
        if (gone)
            raiseError(ErrorNo::NoCurrentRecord);
        if (unanswered.empty())
            return outcome;
        for (const auto &[f, stored] : unanswered) {
            const Conflict conflict{f->column, f->label, f->shown(f->loaded), f->shown(stored), f->shown(f->typed)};
            answers[f->column] = {stored, ask(conflict)};
        }
    }
    throw AppError(ErrorNo::RecordLocked,
                   QStringLiteral("The record kept changing in the database while you were asked; nothing was stored."));
}

QString EditedRow::question(const Conflict &c)
{
    return QStringLiteral("\"%1\" was changed in the database while this window was open.").arg(c.label)
           + QLatin1Char('\r') + QStringLiteral("When the window opened: ") + c.loaded + QLatin1Char('\r')
           + QStringLiteral("Stored now: ") + c.stored + QLatin1Char('\r') + QStringLiteral("Typed here: ") + c.typed
           + QLatin1Char('\r') + QStringLiteral("Store the typed value in place of the stored one?");
}

EditedRow::Ask EditedRow::askIn(const QString &caption, QWidget *parent)
{
    return [caption, parent](const Conflict &conflict) {
        return ui::messageBox(question(conflict), ui::Buttons::YesNo, ui::Icon::Question, caption, parent,
                              ui::Answer::No)
               == ui::Answer::Yes;
    };
}

#pragma once
// How a window saves a row that a sale or another register may change while the window is open:
// it keeps the values it loaded, and the save writes back only the fields its user changed, in one
// write transaction that reads the row again first. Where the user changed a field that has also
// changed in the database since the window loaded (the stock, above all), the user is asked, with
// the loaded, the stored and the typed figure, before it is overwritten; the question is asked
// outside the transaction, so that no sale waits for the answer.
#include "platform/database/Database.h"

#include <QStringList>
#include <functional>

class QWidget;

class EditedRow {
public:
    // One figure as the question shows it.
    using Shown = std::function<QString(const Value &)>;

    struct Conflict {
        QString column;
        QString label;     // the field as the window names it
        QString loaded;    // the figures, as shown
        QString stored;
        QString typed;
    };
    // True: the typed value goes over the stored one; false: the stored one stays.
    using Ask = std::function<bool(const Conflict &)>;

    // The row of `table` that `where` selects (the program's own text, its values bound).
    EditedRow(QString table, QString where, Params whereParams = {});

    // A field the window edits: the value stored when it loaded, the value it would store now, and
    // whether its user changed it (the box's text differs from the one shown at load: a box that
    // shows a stored figure rounded is no change). Only a changed field is written. Columns in
    // `copies` take the same value whenever this one is written (UserFullName follows UserName).
    // Without `shown` a figure shows as its text in the user's number format.
    void field(const QString &column, const QString &label, const Value &loaded, const Value &typed,
               bool changedHere, Shown shown = {}, const QStringList &copies = {});

    // Runs inside the transaction before the update, with the row as it is stored and the columns
    // about to be written: a rule the change must keep raises there, and nothing is written.
    using Check = std::function<void(const Row &stored, const QStringList &written)>;
    void setCheck(Check check) { m_check = std::move(check); }

    struct Outcome {
        QStringList written;   // the columns written (copies included)
        QStringList kept;      // the columns whose stored value the user chose to keep
        Row row;               // the row as it is stored now
    };
    // Writes the changed fields. Raises 3021 when the row is gone, the write's own errors, and
    // 3260 when the row keeps changing under the questions.
    Outcome save(Database &db, const Ask &ask) const;

    // The question for one conflict.
    static QString question(const Conflict &conflict);
    // Asks the question in a Yes/No box under the window's caption; No (the default) keeps the
    // stored value.
    static Ask askIn(const QString &caption, QWidget *parent);

    // Two values are the same figure: a number whatever its stored type, Null as an empty text or
    // zero.
    static bool same(const Value &a, const Value &b);

private:
    struct Field {
        QString column;
        QString label;
        Value loaded;
        Value typed;
        bool changedHere;
        Shown shown;
        QStringList copies;
    };
    QString m_table;
    QString m_where;
    Params m_whereParams;
    std::vector<Field> m_fields;
    Check m_check;
};

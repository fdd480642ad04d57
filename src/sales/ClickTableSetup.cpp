#include "sales/ClickTableSetup.h"

#include "sales/ClickTable.h"

namespace ClickTableSetup {

void layOutAutomatically(Database &db, const QStringList &codes)
{
    db.writeTransaction([&] {
        db.execute(QStringLiteral("UPDATE Products SET Tab = -1 WHERE Tab IS NULL OR Tab <> -1"));
        const qsizetype placed = qMin<qsizetype>(codes.size(), ClickTable::ButtonCount);
        for (qsizetype n = 0; n < placed; ++n)
            db.execute(QStringLiteral("UPDATE Products SET Tab = ? WHERE ProdCode = ?"),
                       {Value::integer(n), Value::text(codes.at(n))});
    });
}

QString tabName(const QString &typed)
{
    return typed.trimmed();
}

bool renameTab(Database &db, int tabIndex, const QString &name)
{
    return db.execute(QStringLiteral("UPDATE TabControl SET TabDescription = ? WHERE TabControl = ?"),
                      {Value::text(name), Value::integer(tabIndex + 1)})
           > 0;
}

}  // namespace ClickTableSetup

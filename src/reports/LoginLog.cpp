#include "reports/LoginLog.h"

namespace LoginLog {

int deleteAllButCurrent(Database &db, const QString &currentLoginNo)
{
    int deleted = 0;
    db.writeTransaction([&] {
        deleted = db.execute(QStringLiteral("DELETE FROM Login WHERE LogInNo <> ?"), {Value::text(currentLoginNo)});
        db.execute(QStringLiteral("UPDATE Login SET LogInNo = ? WHERE LogInNo = ?"),
                   {Value::text(keptLoginNo()), Value::text(currentLoginNo)});
    });
    return deleted;
}

}  // namespace LoginLog

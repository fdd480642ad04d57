#include "AppError.h"

QString errorDescription(int number)
{
    switch (number) {
    case ErrorNo::Overflow:
        return QStringLiteral("Overflow");
    case ErrorNo::DivisionByZero:
        return QStringLiteral("Division by zero");
    case ErrorNo::TypeMismatch:
        return QStringLiteral("Type mismatch");
    case ErrorNo::InvalidUseOfNull:
        return QStringLiteral("Invalid use of Null");
    case ErrorNo::GeneralDatabaseError:
        return QStringLiteral("The database reported an error.");
    case ErrorNo::NoCurrentRecord:
        return QStringLiteral("No current record.");
    case ErrorNo::DuplicateKey:
        return QStringLiteral("The changes were not successful because they would create duplicate values "
                              "in the index, primary key, or relationship.");
    case ErrorNo::FileNotFound:
        return QStringLiteral("Could not find file.");
    case ErrorNo::TooFewParameters:
        return QStringLiteral("Too few parameters.");
    case ErrorNo::SyntaxError:
        return QStringLiteral("Syntax error in query expression.");
    case ErrorNo::TableNotFound:
        return QStringLiteral("Could not find the input table or query.");
    case ErrorNo::RelatedRecords:
        return QStringLiteral("The record cannot be deleted or changed because table includes related records.");
    case ErrorNo::RecordLocked:
        // Reads meet it as well as writes: it says what happened, not what failed.
        return QStringLiteral("The database is busy: another register or program is using it. Try again in a moment.");
    case ErrorNo::ItemNotFound:
        return QStringLiteral("Item not found in this collection.");
    case ErrorNo::FieldCannotBeNull:
        return QStringLiteral("The field cannot contain a Null value.");
    case ErrorNo::DatabaseLockedExclusively:
        return QStringLiteral("The database is opened exclusively by another program.");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

void raiseError(int number)
{
    throw AppError(number, errorDescription(number));
}

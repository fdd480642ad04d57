#pragma once
// An error as the program reports it: a number (the database engine's or the runtime's) and its
// description. Message boxes show them as the number followed directly by the description.
#include <QString>
#include <stdexcept>

class AppError : public std::runtime_error {
public:
    AppError(int number, const QString &description)
        : std::runtime_error(description.toStdString()), m_number(number), m_description(description) {}

    int number() const { return m_number; }
    QString description() const { return m_description; }
    // "94Invalid use of Null": the form every "any other error" message box uses.
    QString numberAndDescription() const { return QString::number(m_number) + m_description; }

    // What a write that failed left in the file, as the write transaction knows it: nothing (all
    // of it was rolled back), or it is not known (the file failed while the commit was written).
    enum class Stored { NotAWrite, Nothing, PerhapsAll };
    Stored stored() const { return m_stored; }
    void setStored(Stored stored) { m_stored = stored; }

private:
    int m_number;
    QString m_description;
    Stored m_stored = Stored::NotAWrite;
};

// Runtime and database error numbers the program reacts to.
namespace ErrorNo {
constexpr int Overflow = 6;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int InvalidUseOfNull = 94;
constexpr int NoCurrentRecord = 3021;
constexpr int DuplicateKey = 3022;
constexpr int FileNotFound = 3024;
constexpr int TooFewParameters = 3061;
constexpr int SyntaxError = 3075;
constexpr int TableNotFound = 3078;
constexpr int RelatedRecords = 3200;
constexpr int RecordLocked = 3260;
constexpr int ItemNotFound = 3265;
constexpr int FieldCannotBeNull = 3314;
constexpr int DatabaseLockedExclusively = 3356;
constexpr int GeneralDatabaseError = 3000;
}

// The standard description of each number above.
QString errorDescription(int number);
// Throws AppError(number, errorDescription(number)).
[[noreturn]] void raiseError(int number);

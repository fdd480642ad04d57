#pragma once
// A small shop history for the report tests: two days, two cashiers and one who is gone, two rates
// and a line whose tax row was deleted, invoice numbers 9, 10, 11, Null cells, a long product name,
// a closed and an open register shift and two log-ins. ReportFixture.cpp lists every row, so that
// expected report texts can be worked out by hand from it.
#include "TestFolder.h"
#include "closing/ReportList.h"
#include <QDate>
#include <QStringList>

class ReportFixture {
public:
    static QDate firstDay() { return QDate(2026, 3, 2); }   // invoices 9, 10, 11: 28.20
    static QDate secondDay() { return QDate(2026, 3, 3); }  // invoices 12, 13: 13.60

    // Builds a new shop's program folder, adds the rows and opens both databases.
    ReportFixture();
    TestFolder &folder() { return m_folder; }

private:
    TestFolder m_folder;
};

// The rows of a report run, each as its cells joined with '|'.
QStringList rowsOf(const ReportList::ReportResult &result);

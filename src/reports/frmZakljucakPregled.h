#pragma once
// "End Reports review" (heading "End Reports"): the register shifts opened on a day or in a
// period with register, shift number, opening date and time, stop time and takings, or their
// takings summed per register or per opening date ("Total by").
#include "closing/ReportListWindow.h"

class frmZakljucakPregled : public ReportListWindow {
    Q_OBJECT
public:
    frmZakljucakPregled();

    // The report under each "Total by" option: "end report" (one row per shift), "cash register",
    // "date". The three share their columns and their 40-column text.
    enum class TotalBy { EndReport, CashRegister, Date };
    static ReportList::ReportDefinition shiftsReport(TotalBy totalBy);
};

// "Preview End Reports ": the register shifts report, modally.
void openRegisterShiftsReport();

#pragma once
// "Business hours of cash register": the log-ins made on a day or in a period with register,
// log-in and log-out dates and times, printed or saved without a total, and the deletion of the
// whole log but the current log-in (F6).
#include "closing/ReportListWindow.h"

class frmActivity : public ReportListWindow {
    Q_OBJECT
public:
    frmActivity();

    // The working-time list as a report: its query, columns and 40-column text.
    static ReportList::ReportDefinition workingTimeReport();

    QPushButton *cmdBrisi = nullptr;   // F6: delete the log

    // Asks first; then deletes every log-in but the current one, which becomes "0" together with
    // CurrentLoginNo, and empties the list. Does nothing on an empty list.
    void cmdBrisi_Click();

protected:
    bool memberKey(int key) override;
};

// "Working Time ": the working-time list, modally.
void openWorkingTime();

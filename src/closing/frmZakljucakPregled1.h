#pragma once
// The End Report review "End Reports review": the End Reports made on a day or in a period, each
// with its number, date, time and the total of the shifts it closed; F5 writes the list as a text
// report and shows it in the preview window; a double click or Enter opens the End Report in the
// register state window.
#include "closing/ReportListWindow.h"

class frmZakljucakPregled1 : public ReportListWindow {
    Q_OBJECT
public:
    frmZakljucakPregled1();

    static ReportList::ReportDefinition endReportReview();

    QPushButton *cmdPrintPregledListe = nullptr;   // F5-Print review

    void cmdPrintPregledListe_Click();
    void lv1_DblClick();
    void lv1_KeyDown(int key);

protected:
    bool memberKey(int key) override;

private:
    void openSelectedEndReport();
};

// Main menu "Preview End Reports": the review, modally.
void openEndReportReview();

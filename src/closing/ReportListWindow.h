#pragma once
// The thin window of the report-list pattern (ReportList.h): heading, calendar mv1 (a click
// selects that day), period DTPicker1..DTPicker2 run by Command1 ("Go"), the list lv1 built from
// the definition's columns, the caption lblNaslov, one total box per totalled column, print,
// save, help and close, and the keys. A member window derives from it and gives only what is its
// own: its ReportDefinition and Look in the constructor, and overrides where its Part differs.
//
//   class frmSalesProducts : public ReportListWindow {
//   public:
//       frmSalesProducts() : ReportListWindow("frmSalesProducts", "Sale by Products", definition(), Look{}) {}
//   };
//   // opener: ui::showModal(ui::formInstance<frmSalesProducts>());
//
// Grouping options ("Total by") are a list of definitions with the same columns (addGroupings);
// a member with derived totals or its own caption overrides adjustResult; one that prints through
// the preview window overrides cmdPrint_Click and calls previewReport(); one with other keys
// overrides memberKey. The last selection is kept for the whole run of the program, as the window
// instance is.
#include "closing/ReportList.h"
#include "platform/ui/Form.h"

#include <QIcon>
#include <QMap>
#include <functional>
#include <optional>
#include <vector>

class QCalendarWidget;
class QDateEdit;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
namespace ui { class ListView; }

class ReportListWindow : public ui::Form {
    Q_OBJECT
public:
    // What differs between members on screen besides the report itself.
    struct Look {
        QString periodFrame = QStringLiteral("TIME PERIOD");
        QString pickDateLabel = QStringLiteral("D A T E");
        QString totalLabel = QStringLiteral("TOTAL:");
        QStringList keyHints = {QStringLiteral("F4-Save"), QStringLiteral("F5-Print"), QStringLiteral("F1-Help"),
                                QStringLiteral("F12-Close")};
        QString helpButton = QStringLiteral("Command2");   // the invoice list's is "cmdHelp"
        bool hasPeriod = true;   // false: no calendar nor period; the list is filled at opening with all rows
        bool hasPrint = true;    // the buttons cmdPrint and cmdSacuvaj
        bool hasSave = true;
        bool saveWithF4 = true;  // F4 saves, with or without the button
        QString saveTitle = QStringLiteral("Save as");   // the save dialog's title
    };
    struct Grouping {
        QString name;      // the option button's object name ("optDatum")
        QString caption;   // its caption ("date")
        ReportList::ReportDefinition definition;
    };

    ReportListWindow(const QString &objectName, const QString &caption, ReportList::ReportDefinition definition,
                     Look look);

    QCalendarWidget *mv1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QDateEdit *DTPicker1 = nullptr;
    QDateEdit *DTPicker2 = nullptr;
    QPushButton *Command1 = nullptr;
    ui::ListView *lv1 = nullptr;
    QLabel *lblNaslov = nullptr;
    QLineEdit *txtTotalAmount = nullptr;   // null when the member names its boxes otherwise
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdSacuvaj = nullptr;
    QPushButton *cmdClose = nullptr;
    QPushButton *cmdHelp = nullptr;

    // Handlers.
    void mv1_DateClick(QDate day);
    void Command1_Click();
    virtual void cmdPrint_Click();
    virtual void cmdSacuvaj_Click();
    void cmdHelp_Click();
    void cmdClose_Click();

    // Runs the report for a selection and shows it; a failing query shows its error and leaves the
    // list as it was. Returns whether it ran.
    bool select(const ReportList::Selection &selection);

    const ReportList::ReportDefinition &definition() const { return m_definition; }
    const ReportList::ReportResult &result() const { return m_result; }
    // The last day or period selected during the program's run; empty before the first one.
    const std::optional<ReportList::Selection> &lastSelection() const { return m_lastSelection; }
    // The text of the report as it would be printed now.
    QStringList reportText() const;

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;
    void showEvent(QShowEvent *event) override;

    // A member's own keys, asked before the pattern's (Esc, F12 close; F1 help; F4 save; F5 print).
    virtual bool memberKey(int key) { Q_UNUSED(key) return false; }
    // Last word on a result before it is shown (a caption of its own, totals of its own).
    virtual void adjustResult(ReportList::ReportResult &result) { Q_UNUSED(result) }

    // "Total by" options; the first is chosen at every opening. Call once, in the constructor.
    void addGroupings(const QString &frameCaption, const std::vector<Grouping> &groupings);
    // Switches to another definition; a list that has rows is run again for the last selection
    // and keeps its caption.
    void setDefinition(const ReportList::ReportDefinition &definition);
    // A total box shown after the others, whose text is result().totals[key].
    QLineEdit *addTotalBox(const QString &key, const QString &objectName, const QString &label);
    // Writes the report into "\Report.txt" and shows it in the text preview window.
    void previewReport();
    // The empty-list message; true when the list is empty (and the message was shown).
    bool refuseEmptyList();

    // Runs a handler so that no exception leaves it: an error is shown under the window's caption.
    void guarded(const std::function<void()> &handler);

    QVBoxLayout *leftColumn = nullptr;   // under the period: room for a member's controls
    QHBoxLayout *buttonRow = nullptr;    // beside print and save: room for a member's buttons
    // A member's own button, after print and save and before Close, in the tab order too.
    QPushButton *addMemberButton(const QString &objectName, const QString &caption, const QIcon &icon = QIcon());

private:
    void showResult();
    void showTotals();

    ReportList::ReportDefinition m_definition;
    Look m_look;
    ReportList::ReportResult m_result;
    std::optional<ReportList::Selection> m_lastSelection;
    std::vector<Grouping> m_groupings;
    std::vector<QRadioButton *> m_groupingButtons;
    QHBoxLayout *m_totalsRow = nullptr;
    QLabel *m_totalLabel = nullptr;
    QMap<QString, QLineEdit *> m_totalBoxes;   // by result key
};

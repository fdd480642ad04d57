#pragma once
// The new and edit dialogs of a customer or supplier: one layout, the same save; the edit dialog
// shows the ID without letting it change.
#include "admin/RecordList.h"

class QLineEdit;
namespace ui { class NumericKeyFilter; }

class KupacDialog : public RecordDialog {
    Q_OBJECT
public:
    void cmdUpdate_Click();   // F5: save

protected:
    KupacDialog(const char *objectName, const QString &caption, const QString &identLabel, bool editing);
    void Form_Load() override;
    QList<std::pair<QString, QString>> boxTexts() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadFields(const Row &row);
    void formatRate();

    bool m_editing;
    QLineEdit *m_txtProdCode = nullptr;
    QLineEdit *m_txtDescription = nullptr;
    QLineEdit *m_txtVlasnik = nullptr;
    QLineEdit *m_txtAdresa = nullptr;
    QLineEdit *m_txtIB = nullptr;
    QLineEdit *m_txtTelefon = nullptr;
    QLineEdit *m_txtFax = nullptr;
    QLineEdit *m_txtZiroRacun = nullptr;
    QLineEdit *m_txtRabatMarza = nullptr;
    ui::NumericKeyFilter *m_rateKeys = nullptr;
};

class frmNewKupac : public KupacDialog {
    Q_OBJECT
public:
    frmNewKupac();
};

class frmEditKupac : public KupacDialog {
    Q_OBJECT
public:
    frmEditKupac();
};

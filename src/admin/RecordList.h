#pragma once
// The shape the administration lists share: a list window that owns the list, its keys, the
// selected row, the delete question and the refill, and the new and edit dialogs it opens. Each
// list gives only its columns, its rows, the cells of one record, its delete and its dialogs; a
// dialog takes the key of its record (empty for a new one) and tells which key it saved.
#include "platform/database/Database.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <optional>

class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;
namespace ui { class ListView; }

// A change the program refuses for a rule of its own (not a database refusal); what() is the
// message for the user.
class RefusedChange : public std::runtime_error {
public:
    explicit RefusedChange(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// A row whose Del flag is true, without a value, or no truth value at all is protected from
// deletion: a doubtful flag keeps the row rather than loses it.
bool protectedFromDeletion(const Row &row);

class RecordListWindow : public ui::Form {
    Q_OBJECT
public:
    ui::ListView *lv1() const { return m_lv1; }
    QString caption() const { return m_design.caption; }

    void editSelected();     // F4; Enter or double click in the list where the list allows it
    void addNew();           // F5
    void deleteSelected();   // F6; the Delete key in the list where the list allows it
    void showHelp();         // F1
    void closeWindow();      // F12, Esc
    // Reads the rows again and shows them; the row with `keepKey` (the selected one when empty)
    // stays selected when it is still listed, else the first row is.
    void refill(const QString &keepKey = QString());

protected:
    struct Column {
        QString caption;
        int widthTwips;
        Qt::Alignment alignment = Qt::AlignLeft;
        ui::Shows shows = ui::Shows::Text;
    };
    struct ButtonText {
        const char *name;
        QString caption;
        QString toolTip;
    };
    enum class AfterDialog {
        Refill,           // the whole list is read again whenever a dialog closes
        RereadSavedEdit,  // only a saved edit rewrites its row; a new record waits for the next fill
    };
    struct Design {
        const char *objectName;
        QString caption;
        QList<Column> columns;
        ButtonText edit, addNew, remove;
        bool listKeysAct;    // Enter and double click edit, the Delete key deletes
        AfterDialog afterDialog;
        QString deletedMessage;
    };
    explicit RecordListWindow(const Design &design);

    // What each list gives.
    virtual Rows readRows(Database &db) = 0;                 // the listed rows, in order
    virtual std::optional<Row> readRecord(Database &db, const QString &key) = 0;
    virtual QStringList cells(const Row &row) const = 0;     // the key, then sub-items 1, 2, ...
    // A reason not to delete the row (a protection), shown as an information message.
    virtual std::optional<QString> refusalToDelete(Database &db, const Row &row)
    {
        Q_UNUSED(db) Q_UNUSED(row)
        return std::nullopt;
    }
    virtual QString deleteQuestion(const Row &row) const = 0;
    virtual void removeRecord(Database &db, const QString &key) = 0;
    // A database refusal of the delete; by default the number and description.
    virtual void reportDeleteError(const AppError &error);
    // Shows the dialog for `key` (empty: a new record) and returns the key it saved, if any.
    virtual std::optional<QString> showEditor(const QString &key) = 0;

    // Room left of the list for a list's own controls (the customers' search); hidden when empty.
    QVBoxLayout *sidePanel() const { return m_side; }
    QPushButton *buttonRow(int index) const { return m_buttons.value(index); }
    void addButton(QPushButton *button);   // appended to the row under the list

    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    void showRows(const Rows &rows, const QString &keepKey);
    void afterDialog(const QString &editedKey, const std::optional<QString> &savedKey);

    Design m_design;
    ui::ListView *m_lv1 = nullptr;
    QVBoxLayout *m_side = nullptr;
    QWidget *m_sideWidget = nullptr;
    QList<QPushButton *> m_buttons;
    class QHBoxLayout *m_buttonLayout = nullptr;
};

// The base of the administration's dialogs: the row of save, help and close buttons under the
// boxes and their keys (F5 saves, F1 shows help, F12 closes, Esc clears the boxes or closes,
// Enter moves on as Tab does), and the messages of a save.
class AdminDialog : public ui::Form {
    Q_OBJECT
public:
    virtual void cmdHelp_Click();   // F1
    void cmdClose_Click();          // F12

protected:
    struct Commands {
        const char *saveButton;         // the save button's object name
        std::function<void()> save;     // F5
        std::function<void()> clear;    // Esc, where the dialog clears its boxes; else Esc closes
        QString saveToolTip = QString();
        bool closeBeforeHelp = false;   // the buttons' order: save, close, help
    };
    // Takes the dialog's commands and returns the row of their buttons.
    QHBoxLayout *commandButtons(const Commands &commands);

    // The check of the boxes a save needs: false, after the message, when one of them is empty.
    bool requiredFilled(std::initializer_list<QString> texts);
    // The messages of a refused save: the duplicate message (plain box under the application's
    // title, then a beep, the focus on `focusAfterDuplicate`), a refusal by a rule of the
    // program, or the error number with its description under the dialog's caption.
    void reportSaveError(const std::exception &error, const QString &duplicateMessage,
                         QWidget *focusAfterDuplicate);
    // Information message under the dialog's caption.
    void inform(const QString &text);

    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    Commands m_commands{nullptr, {}, {}};
};

// The base of the new and edit dialogs of the lists.
class RecordDialog : public AdminDialog {
    Q_OBJECT
public:
    // Set before the dialog is shown: the record's key, empty for a new record.
    void setRecordKey(const QString &key);
    QString recordKey() const { return m_key; }
    // The key the dialog stored, once it has stored one in this showing.
    std::optional<QString> savedKey() const { return m_savedKey; }

protected:
    // Remembers the stored key and closes the dialog.
    void recordSaved(const QString &key);
    // Fills the boxes from the stored record of the dialog's key. False, after the error and
    // with the dialog unloaded, when it cannot be read or was deleted meanwhile at another
    // register.
    bool loadRecord(std::optional<Row> (*find)(Database &, const QString &),
                    const std::function<void(const Row &)> &fill);

    // The boxes' texts by the column each one fills. The load keeps them as it showed them, with
    // the row it read: a save writes only the columns whose boxes the user changed, since a sale
    // or another register may have changed the row while the dialog was open.
    virtual QList<std::pair<QString, QString>> boxTexts() const { return {}; }
    QStringList changedColumns() const;
    const Row &loadedRow() const { return m_loadedRow; }

private:
    Row m_loadedRow;
    QList<std::pair<QString, QString>> m_shownTexts;
    QString m_key;
    std::optional<QString> m_savedKey;
};

// Shows the dialog of class T for `key` modally; the key it saved, if any.
template <class T>
std::optional<QString> showRecordDialog(const QString &key)
{
    T &dialog = ui::formInstance<T>();
    dialog.setRecordKey(key);
    ui::showModal(dialog);
    return dialog.savedKey();
}

// Builders the administration windows share.
namespace AdminUi {
QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QString &toolTip = QString());
// A box with focus colours (yellow with all text selected, white after).
QLineEdit *textBox(QWidget *parent, const char *name, int maxLength = 0);
// The rows of a dialog's boxes: a label in column 0 and its box in column 1, a row each from
// `firstRow` on; returns the labels in order.
QList<QLabel *> labelledRows(QGridLayout *grid, QWidget *parent,
                             std::initializer_list<std::pair<QString, QWidget *>> rows, int firstRow = 0);

// A password typed twice, and the "Show password" tick that shows both boxes plainly.
struct PasswordBoxes {
    QLineEdit *password = nullptr;   // txtPassword
    QLineEdit *retyped = nullptr;    // txtReTypePassword
    QCheckBox *unmask = nullptr;     // chkUnmaskPassword

    void create(QWidget *parent);
    void mask();   // unticked, both boxes masked
    // False, after the message, when the two differ: both boxes are emptied for a new try.
    bool match(QWidget *dialog);
};
}

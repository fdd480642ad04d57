#include "admin/RecordList.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ListView.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace AdminUi {

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QString &toolTip)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(toolTip);
    b->setAutoDefault(false);
    b->setMinimumSize(100, 36);
    return b;
}

QLineEdit *textBox(QWidget *parent, const char *name, int maxLength)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    ui::focusColours(box);
    return box;
}

QList<QLabel *> labelledRows(QGridLayout *grid, QWidget *parent,
                             std::initializer_list<std::pair<QString, QWidget *>> rows, int firstRow)
{
    QList<QLabel *> labels;
    int r = firstRow;
    for (const auto &[caption, box] : rows) {
        auto *label = new QLabel(caption, parent);
        grid->addWidget(label, r, 0);
        grid->addWidget(box, r++, 1);
        labels.append(label);
    }
    return labels;
}

namespace {
void showPasswords(const PasswordBoxes &boxes, bool plainly)
{
    const auto mode = plainly ? QLineEdit::Normal : QLineEdit::Password;
    boxes.password->setEchoMode(mode);
    boxes.retyped->setEchoMode(mode);
}
}  // namespace

void PasswordBoxes::create(QWidget *parent)
{
    password = textBox(parent, "txtPassword", 15);
    retyped = textBox(parent, "txtReTypePassword", 15);
    unmask = new QCheckBox(QStringLiteral("Show password"), parent);
    unmask->setObjectName(QStringLiteral("chkUnmaskPassword"));
    mask();
    QObject::connect(unmask, &QCheckBox::clicked, unmask, [boxes = *this](bool ticked) {
        showPasswords(boxes, ticked);
        boxes.password->setFocus();
    });
}

void PasswordBoxes::mask()
{
    unmask->setChecked(false);
    showPasswords(*this, false);
}

bool PasswordBoxes::match(QWidget *dialog)
{
    if (password->text() == retyped->text())
        return true;
    ui::messageBox(QStringLiteral("Different passwords!"), ui::Buttons::Ok, ui::Icon::Exclamation,
                   QStringLiteral("Different passwords"), dialog);
    password->clear();
    retyped->clear();
    password->setFocus();
    return false;
}

}  // namespace AdminUi

bool protectedFromDeletion(const Row &row)
{
    const Value &del = row[QStringLiteral("Del")];
    if (del.isNull())
        return true;
    try {
        return del.toBool();
    } catch (const AppError &) {
        return true;
    }
}

// --- List window -----------------------------------------------------------------------------

RecordListWindow::RecordListWindow(const Design &design) : m_design(design)
{
    setObjectName(QLatin1String(design.objectName));
    setWindowTitle(design.caption);

    m_lv1 = new ui::ListView(this);
    m_lv1->setObjectName(QStringLiteral("lv1"));
    for (const Column &c : design.columns)
        m_lv1->addColumn(c.caption, c.widthTwips, c.alignment, c.shows);

    m_sideWidget = new QWidget(this);
    m_side = new QVBoxLayout(m_sideWidget);
    m_side->setContentsMargins(0, 0, 0, 0);

    m_buttonLayout = new QHBoxLayout;
    addButton(AdminUi::button(this, design.edit.name, design.edit.caption, design.edit.toolTip));
    addButton(AdminUi::button(this, design.addNew.name, design.addNew.caption, design.addNew.toolTip));
    addButton(AdminUi::button(this, design.remove.name, design.remove.caption, design.remove.toolTip));
    addButton(AdminUi::button(this, "cmdHelp", QStringLiteral("F1-Help"), QStringLiteral("Upute za rad")));
    addButton(AdminUi::button(this, "cmdClose", QStringLiteral("F12-Close"), QStringLiteral("Zatvori prozor")));
    connect(m_buttons[0], &QPushButton::clicked, this, [this] { editSelected(); });
    connect(m_buttons[1], &QPushButton::clicked, this, [this] { addNew(); });
    connect(m_buttons[2], &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(m_buttons[3], &QPushButton::clicked, this, [this] { showHelp(); });
    connect(m_buttons[4], &QPushButton::clicked, this, [this] { closeWindow(); });
    if (design.listKeysAct)
        connect(m_lv1, &QTreeWidget::itemDoubleClicked, this, [this] { editSelected(); });

    auto *right = new QVBoxLayout;
    right->addWidget(m_lv1, 1);
    right->addLayout(m_buttonLayout);
    auto *main = new QHBoxLayout(this);
    main->addWidget(m_sideWidget);
    main->addLayout(right, 1);
    resize(760, 460);
}

void RecordListWindow::addButton(QPushButton *button)
{
    m_buttons.append(button);
    m_buttonLayout->addWidget(button);
}

void RecordListWindow::Form_Load()
{
    m_sideWidget->setVisible(m_side->count() > 0);
    refill();
    m_lv1->setFocus();
}

void RecordListWindow::refill(const QString &keepKey)
{
    QString key = keepKey;
    if (key.isEmpty())
        if (ui::ListItem *selected = m_lv1->selectedItem())
            key = selected->text();
    Rows rows;
    try {
        rows = readRows(dbModule::mainDatabase());
    } catch (const std::exception &e) {
        // The list stays usable, empty, and the next fill may succeed.
        ui::showError(e, caption(), this);
    }
    showRows(rows, key);
}

void RecordListWindow::showRows(const Rows &rows, const QString &keepKey)
{
    m_lv1->clear();
    ui::ListItem *keep = nullptr;
    for (const Row &row : rows) {
        QStringList c = cells(row);
        const QString key = c.value(0);
        ui::ListItem *item = m_lv1->addItem(key, c.mid(1));
        if (!keep && !keepKey.isEmpty() && key.compare(keepKey, Qt::CaseInsensitive) == 0)
            keep = item;
    }
    // A filled list always has a selected row, as the keys of the window expect.
    if (!keep && m_lv1->count() > 0)
        keep = m_lv1->item(0);
    m_lv1->widenCutColumns();
    m_lv1->setSelectedItem(keep);
    if (keep)
        m_lv1->setCurrentItem(keep);
}

void RecordListWindow::editSelected()
{
    ui::ListItem *selected = m_lv1->selectedItem();
    if (m_lv1->count() == 0 || !selected)
        return;
    const QString key = selected->text();
    dbModule::CallerForm = this;
    afterDialog(key, showEditor(key));
}

void RecordListWindow::addNew()
{
    afterDialog(QString(), showEditor(QString()));
}

void RecordListWindow::afterDialog(const QString &editedKey, const std::optional<QString> &savedKey)
{
    if (m_design.afterDialog == AfterDialog::Refill) {
        refill(savedKey.value_or(editedKey));
        return;
    }
    if (!savedKey || editedKey.isEmpty())
        return;
    // The edited row is read again through the same cells as a fill, at its place in the list.
    ui::ListItem *row = m_lv1->findItem(editedKey);
    std::optional<Row> record;
    try {
        record = readRecord(dbModule::mainDatabase(), *savedKey);
    } catch (const std::exception &e) {
        ui::showError(e, caption(), this);
        return;
    }
    if (!row || !record) {
        refill(*savedKey);
        return;
    }
    const QStringList c = cells(*record);
    row->setText(c.value(0));
    for (int i = 1; i < c.size(); ++i)
        row->setSubItem(i, c[i]);
}

void RecordListWindow::deleteSelected()
{
    ui::ListItem *selected = m_lv1->selectedItem();
    if (m_lv1->count() == 0 || !selected)
        return;
    const QString key = selected->text();
    try {
        Database &db = dbModule::mainDatabase();
        const std::optional<Row> record = readRecord(db, key);
        if (!record) {
            // Deleted meanwhile at another register: show what is left.
            refill();
            return;
        }
        if (const std::optional<QString> refusal = refusalToDelete(db, *record)) {
            ui::messageBox(*refusal, ui::Buttons::Ok, ui::Icon::Information, caption(), this);
            return;
        }
        if (!ui::confirmIrreversible(deleteQuestion(*record), caption(), this))
            return;
        removeRecord(db, key);
    } catch (const AppError &e) {
        reportDeleteError(e);
        return;
    } catch (const std::exception &e) {
        ui::showError(e, caption(), this);
        return;
    }
    refill();
    ui::messageBox(m_design.deletedMessage, ui::Buttons::Ok, ui::Icon::Information, caption(), this);
}

void RecordListWindow::reportDeleteError(const AppError &error)
{
    ui::showError(error, caption(), this);
}

void RecordListWindow::showHelp()
{
    ShowHelp();
}

void RecordListWindow::closeWindow()
{
    unload();
}

void RecordListWindow::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    handled = true;
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_F12: closeWindow(); return;
    case Qt::Key_F1: showHelp(); return;
    case Qt::Key_F4: editSelected(); return;
    case Qt::Key_F5: addNew(); return;
    case Qt::Key_F6: deleteSelected(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Delete:
        if (m_design.listKeysAct && focusWidget() == m_lv1) {
            if (m_lv1->count() > 0) {
                if (key == Qt::Key_Delete)
                    deleteSelected();
                else
                    editSelected();
            }
            return;
        }
        break;
    default: break;
    }
    handled = false;
}

// --- Dialogs ---------------------------------------------------------------------------------

QHBoxLayout *AdminDialog::commandButtons(const Commands &commands)
{
    m_commands = commands;
    auto *row = new QHBoxLayout;
    auto add = [&](const char *name, const QString &caption, const QString &toolTip, auto action) {
        QPushButton *b = AdminUi::button(this, name, caption, toolTip);
        connect(b, &QPushButton::clicked, this, action);
        row->addWidget(b);
    };
    // Made in their order along the row, which is also their Tab order.
    add(commands.saveButton, QStringLiteral("F5-Save"), commands.saveToolTip, [this] { m_commands.save(); });
    auto help = [&] { add("cmdHelp", QStringLiteral("F1-Help"), QString(), [this] { cmdHelp_Click(); }); };
    auto close = [&] { add("cmdClose", QStringLiteral("F12-Close"), QString(), [this] { cmdClose_Click(); }); };
    if (commands.closeBeforeHelp) {
        close();
        help();
    } else {
        help();
        close();
    }
    return row;
}

void AdminDialog::cmdHelp_Click()
{
    ShowHelp();
}

void AdminDialog::cmdClose_Click()
{
    unload();
}

void AdminDialog::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    Q_UNUSED(modifiers)
    handled = true;
    switch (key) {
    case Qt::Key_F5:
        if (m_commands.save)
            m_commands.save();
        return;
    case Qt::Key_F1: cmdHelp_Click(); return;
    case Qt::Key_F12: cmdClose_Click(); return;
    case Qt::Key_Escape:
        if (m_commands.clear)
            m_commands.clear();
        else
            cmdClose_Click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: ui::focusNextField(); return;   // a focused button the window presses itself
    default: break;
    }
    handled = false;
}

bool AdminDialog::requiredFilled(std::initializer_list<QString> texts)
{
    // Blanks alone are no name: "  " would be stored as a user, a tax or a customer nobody can tell.
    for (const QString &text : texts)
        if (text.trimmed().isEmpty()) {
            inform(QStringLiteral("Fill in all required fields."));
            return false;
        }
    return true;
}

void AdminDialog::inform(const QString &text)
{
    ui::messageBox(text, ui::Buttons::Ok, ui::Icon::Information, windowTitle(), this);
}

void AdminDialog::reportSaveError(const std::exception &error, const QString &duplicateMessage,
                                  QWidget *focusAfterDuplicate)
{
    const auto *appError = dynamic_cast<const AppError *>(&error);
    if (appError && appError->number() == ErrorNo::DuplicateKey) {
        ui::messageBox(duplicateMessage, ui::Buttons::Ok, ui::Icon::None, QString(), this);
        ui::beep();
        if (focusAfterDuplicate)
            focusAfterDuplicate->setFocus();
        return;
    }
    if (const auto *refused = dynamic_cast<const RefusedChange *>(&error)) {
        inform(refused->message());
        return;
    }
    ui::showError(error, windowTitle(), this);
}

void RecordDialog::setRecordKey(const QString &key)
{
    m_key = key;
    m_savedKey.reset();
}

bool RecordDialog::loadRecord(std::optional<Row> (*find)(Database &, const QString &),
                              const std::function<void(const Row &)> &fill)
{
    try {
        const std::optional<Row> row = find(dbModule::mainDatabase(), m_key);
        if (!row)
            raiseError(ErrorNo::NoCurrentRecord);
        fill(*row);
        m_loadedRow = *row;
        m_shownTexts = boxTexts();
    } catch (const std::exception &e) {
        ui::showError(e, windowTitle(), this);
        unload();
        return false;
    }
    return true;
}

QStringList RecordDialog::changedColumns() const
{
    const QList<std::pair<QString, QString>> now = boxTexts();
    QStringList changed;
    for (int i = 0; i < now.size(); ++i)
        if (i >= m_shownTexts.size() || m_shownTexts[i] != now[i])
            changed << now[i].first;
    return changed;
}

void RecordDialog::recordSaved(const QString &key)
{
    m_savedKey = key;
    unload();
}

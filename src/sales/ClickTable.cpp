#include "sales/ClickTable.h"

#include "platform/system/System.h"
#include "shell/dbModule.h"
#include <QGridLayout>
#include <QIcon>
#include <QPushButton>
#include <stdexcept>

namespace ClickTable {

ButtonPosition buttonPosition(int index)
{
    return {index / ButtonsPerTab, (index % ButtonsPerTab) / ColumnCount, index % ColumnCount};
}

QString NullToEmpty(const Value &value)
{
    if (value.isNull())
        return QString();
    return value.toText(System::numberFormat()).trimmed();
}

QString buttonCaption(const QString &name, Currency price, const NumberFormat &format)
{
    return name.trimmed() + QStringLiteral(" = ") + price.format2(format);
}

QStringList loadTabCaptions(Database &db)
{
    QStringList captions;
    const Rows rows = db.query(QStringLiteral("SELECT TabControl, TabDescription FROM TabControl ORDER BY TabControl"));
    for (const Row &row : rows) {
        if (captions.size() == TabCount)
            break;
        captions.append(NullToEmpty(row.at(1)));
    }
    return captions;
}

ClickButtons loadClickButtons(Database &db)
{
    return loadClickButtons(db, System::numberFormat());
}

ClickButtons loadClickButtons(Database &db, const NumberFormat &format)
{
    ClickButtons buttons;
    // "+ID" keeps the engine from walking every product in ID order: the few placed products are
    // found through the Tab index and then sorted.
    const Rows rows = db.query(QStringLiteral("SELECT ProdDescription, ProdCode, UnitPrice, Tab, Pict FROM Products "
                                              "WHERE Tab > -1 ORDER BY +ID"));
    for (const Row &row : rows) {
        int64_t index = -1;
        try {
            index = row.at(3).toInt64(format);
        } catch (const AppError &) {
            continue;  // a Tab that is no number puts the product on no button
        }
        if (index < 0 || index >= ButtonCount)
            continue;
        const QString code = NullToEmpty(row.at(1));
        if (code.isEmpty())
            continue;
        const Value &price = row.at(2);
        Currency unitPrice;
        try {
            unitPrice = price.isNull() ? Currency() : price.toCurrency(format);
        } catch (const AppError &) {
            unitPrice = Currency();
        }
        ClickButton &b = buttons[size_t(index)];
        b.caption = buttonCaption(NullToEmpty(row.at(0)), unitPrice, format);
        b.prodCode = row.at(1).textOr();
        b.picturePath.clear();
        const QString pict = NullToEmpty(row.at(4));
        if (!pict.isEmpty()) {
            const QString path = System::programPath(QStringLiteral("\\img\\") + pict);
            if (System::fileExists(path))
                b.picturePath = path;
        }
    }
    return buttons;
}

}  // namespace ClickTable

// ---------------------------------------------------------------------------------------------

namespace {
// Tab and button texts treat "&" as a shortcut marker; a name such as "Fruit & veg" shows as typed.
QString literalText(const QString &text)
{
    return QString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

}

ClickTableWidget::ClickTableWidget(QWidget *parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("SSTab1"));
    setUsesScrollButtons(false);  // all ten tabs in one row
    for (int t = 0; t < ClickTable::TabCount; ++t) {
        auto page = new QWidget(this);
        auto grid = new QGridLayout(page);
        grid->setContentsMargins(4, 4, 4, 4);
        grid->setSpacing(4);
        for (int r = 0; r < ClickTable::RowCount; ++r)
            grid->setRowStretch(r, 1);
        for (int c = 0; c < ClickTable::ColumnCount; ++c)
            grid->setColumnStretch(c, 1);
        addTab(page, QStringLiteral("Tab %1").arg(t + 1));
    }
    for (int n = 0; n < ClickTable::ButtonCount; ++n) {
        const auto pos = ClickTable::buttonPosition(n);
        auto grid = static_cast<QGridLayout *>(widget(pos.tab)->layout());
        auto b = new QPushButton(widget(pos.tab));
        b->setObjectName(QStringLiteral("Command2_%1").arg(n));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setMinimumSize(96, 48);  // big enough for a finger
        b->setIconSize(QSize(40, 40));
        b->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(b, pos.row, pos.column);
        connect(b, &QPushButton::clicked, this, [this, n] { onButtonClicked(n); });
        m_buttons[size_t(n)] = b;
    }
}

void ClickTableWidget::LoadTabCaptions()
{
    LoadTabCaptions(dbModule::mainDatabase());
}

void ClickTableWidget::LoadTabCaptions(Database &db)
{
    const QStringList captions = ClickTable::loadTabCaptions(db);
    for (int i = 0; i < captions.size(); ++i)
        setTabText(i, literalText(captions.at(i)));
    setCurrentIndex(0);
}

void ClickTableWidget::LoadClickButtons()
{
    LoadClickButtons(dbModule::mainDatabase());
}

void ClickTableWidget::LoadClickButtons(Database &db)
{
    const ClickTable::ClickButtons buttons = ClickTable::loadClickButtons(db);
    for (int n = 0; n < ClickTable::ButtonCount; ++n)
        setButton(n, buttons[size_t(n)]);
}

void ClickTableWidget::refresh()
{
    refresh(dbModule::mainDatabase());
}

void ClickTableWidget::refresh(Database &db)
{
    LoadTabCaptions(db);
    LoadClickButtons(db);
}

void ClickTableWidget::clearButtons()
{
    for (int n = 0; n < ClickTable::ButtonCount; ++n)
        setButton(n, ClickTable::ClickButton());
}

void ClickTableWidget::setButton(int index, const ClickTable::ClickButton &button)
{
    QPushButton *b = m_buttons.at(size_t(index));
    b->setText(literalText(button.caption));
    b->setToolTip(button.caption);
    m_tags[size_t(index)] = button.prodCode;
    b->setIcon(button.picturePath.isEmpty() ? QIcon() : QIcon(button.picturePath));
}

void ClickTableWidget::onButtonClicked(int index)
{
    const QString code = m_tags[size_t(index)];
    if (!code.isEmpty())
        emit buttonPressed(index, code);
}

#include "catalog/ProductWindow.h"

#include "catalog/ProductTaxRates.h"
#include "platform/system/SavedFile.h"
#include "platform/system/System.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "shell/dbModule.h"
#include "shell/frmHelp.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {


QLabel *label(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

QPushButton *button(const char *name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QString pictureFolder()
{
    return System::programPath(QStringLiteral("\\img\\"));
}

}  // namespace

ProductWindow::ProductWindow(const Texts &texts) : m_texts(texts)
{
    setWindowTitle(texts.caption);
    const QString colon = texts.colonLabels ? QStringLiteral(":") : QString();

    m_tab = new QTabWidget(this);
    m_tab->setObjectName(QStringLiteral("SSTab1"));
    auto *page = new QWidget(m_tab);
    m_tab->addTab(page, texts.tabCaption);

    m_txtProdCode = new QLineEdit(page);
    m_txtProdCode->setObjectName(QStringLiteral("txtProdCode"));
    m_txtProdCode->setMaxLength(13);
    ui::focusColours(m_txtProdCode);
    m_txtDescription = new QLineEdit(page);
    m_txtDescription->setObjectName(QStringLiteral("txtDescription"));
    m_txtDescription->setMaxLength(40);
    ui::focusColours(m_txtDescription);
    m_txtUnitPrice = numberBox("txtUnitPrice", true);
    m_txtUnitPricebezPDV = numberBox("txtUnitPricebezPDV", true);
    m_txtVPUnitPrice = numberBox("txtVPUnitPrice", true);
    m_txtVPUnitPricebezPDV = numberBox("txtVPUnitPricebezPDV", true);
    m_txtQuantity = numberBox("txtQuantity", texts.formatQuantity);

    m_txtUnit = new QComboBox(page);
    m_txtUnit->setObjectName(QStringLiteral("txtUnit"));
    m_txtUnit->setEditable(true);
    m_txtUnit->setInsertPolicy(QComboBox::NoInsert);
    ui::focusColours(m_txtUnit);
    m_cboTax = new QComboBox(page);
    m_cboTax->setObjectName(QStringLiteral("cboTax"));
    m_cboTax->setEditable(true);
    m_cboTax->setInsertPolicy(QComboBox::NoInsert);
    ui::focusColours(m_cboTax);
    connect(m_txtUnit, &QComboBox::currentTextChanged, this, [this] { txtUnit_Change(); });
    connect(m_cboTax, &QComboBox::currentTextChanged, this, [this] { cboTax_Change(); });
    // Choosing the shown rate again changes no text, yet brings back the rate as it stands now.
    connect(m_cboTax, &QComboBox::activated, this, [this] { cboTax_Change(); });

    auto shown = [page](const char *name) {
        auto *box = new QLineEdit(page);
        box->setObjectName(QLatin1String(name));
        ui::lockBox(box);
        return box;
    };
    m_txtUnitName = shown("txtUnitName");
    m_txtTaxPercent = shown("txtTaxPercent");
    m_txtTaxPercent->setAlignment(Qt::AlignRight);
    m_txtTaxName = shown("txtTaxName");
    m_txtPicturePath = shown("txtPicturePath");
    m_imgPicture = new QLabel(page);
    m_imgPicture->setObjectName(QStringLiteral("imgPicture"));
    m_imgPicture->setFixedSize(64, 64);
    m_imgPicture->setFrameShape(QFrame::Box);
    m_imgPicture->setScaledContents(true);

    m_cmdSelect = button("cmdSelect", QStringLiteral("Insert icon"), page);
    m_cmdDelPic = button("cmdDelPic", QStringLiteral("Delete icon"), page);
    connect(m_cmdSelect, &QPushButton::clicked, this, [this] { cmdSelect_Click(); });
    connect(m_cmdDelPic, &QPushButton::clicked, this, [this] { cmdDelPic_Click(); });

    auto *grid = new QGridLayout(page);
    int row = 0;
    auto addRow = [&](const QString &caption, QWidget *field, QWidget *extra = nullptr, QWidget *extra2 = nullptr) {
        grid->addWidget(label(caption, page), row, 0);
        grid->addWidget(field, row, 1);
        if (extra)
            grid->addWidget(extra, row, 2);
        if (extra2)
            grid->addWidget(extra2, row, 3);
        ++row;
    };
    addRow(QStringLiteral("ProductID - BarCode"), m_txtProdCode);
    addRow(QStringLiteral("Product name"), m_txtDescription);
    addRow(QStringLiteral("Price") + colon, m_txtUnitPrice);
    addRow(QStringLiteral("Price without Tax"), m_txtUnitPricebezPDV);
    addRow(QStringLiteral("Second price with Tax"), m_txtVPUnitPrice);
    addRow(QStringLiteral("Second price without Tax"), m_txtVPUnitPricebezPDV);
    addRow(QStringLiteral("Quantity") + colon, m_txtQuantity);
    addRow(QStringLiteral("Unit") + colon, m_txtUnit, m_txtUnitName);
    addRow(QStringLiteral("Tax rate") + colon, m_cboTax, m_txtTaxPercent, label(QStringLiteral("%"), page));
    grid->addWidget(m_txtTaxName, row++, 2, 1, 2);
    addRow(QStringLiteral("Thumbnail (icon)"), m_txtPicturePath, m_imgPicture);
    auto *pictureButtons = new QHBoxLayout;
    pictureButtons->addWidget(m_cmdSelect);
    pictureButtons->addWidget(m_cmdDelPic);
    grid->addLayout(pictureButtons, row++, 1);

    m_buttonRow = new QWidget(this);
    auto *buttons = new QHBoxLayout(m_buttonRow);
    buttons->setContentsMargins(0, 0, 0, 0);
    m_cmdSave = button("cmdAdd", QStringLiteral("F5-Save"), m_buttonRow);
    m_cmdClose = button("cmdClose", QStringLiteral("F12-Close"), m_buttonRow);
    m_cmdHelp = button("cmdHelp", QStringLiteral("F1-Help"), m_buttonRow);
    buttons->addWidget(m_cmdSave);
    buttons->addStretch();
    buttons->addWidget(m_cmdHelp);
    buttons->addWidget(m_cmdClose);
    connect(m_cmdClose, &QPushButton::clicked, this, [this] { unload(); });
    connect(m_cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });

    auto *main = new QVBoxLayout(this);
    main->addWidget(m_tab);
    main->addWidget(m_buttonRow);
}

QLineEdit *ProductWindow::numberBox(const char *name, bool formatOnLeave)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    box->setAlignment(Qt::AlignRight);
    ui::focusColours(box);
    ui::NumericKeyFilter::install(box, dbModule::UserNumberFormat().decimal);
    if (formatOnLeave)
        connect(box, &QLineEdit::editingFinished, this,
                [box] { box->setText(ProductEntry::formatMoneyBox(box->text(), dbModule::UserNumberFormat())); });
    return box;
}

void ProductWindow::resetControls()
{
    ui::Form::resetControls();
    m_chosenPicturePath.clear();
    m_imgPicture->clear();
}

void ProductWindow::LoadLists()
{
    try {
        LoadTaxList();
        LoadUnitList();
    } catch (const AppError &e) {
        ui::showError(e, caption(), this);
    }
}

void ProductWindow::LoadUnitList()
{
    const QSignalBlocker quiet(m_txtUnit);
    m_txtUnit->clear();
    for (const Unit &unit : Units::list(dbModule::mainDatabase()))
        m_txtUnit->addItem(unit.abr);
    m_txtUnit->setCurrentIndex(-1);
}

void ProductWindow::LoadTaxList()
{
    const QSignalBlocker quiet(m_cboTax);
    m_cboTax->clear();
    for (const ProductTaxRate &rate : ProductTaxRates::list(dbModule::mainDatabase()))
        m_cboTax->addItem(rate.taxID);
    m_cboTax->setCurrentIndex(-1);
}

void ProductWindow::ClearProductFields()
{
    for (QLineEdit *box : findChildren<QLineEdit *>())
        box->clear();
    const QSignalBlocker quietUnit(m_txtUnit);
    const QSignalBlocker quietTax(m_cboTax);
    m_txtUnit->setCurrentIndex(-1);
    m_txtUnit->clearEditText();
    m_cboTax->setCurrentIndex(-1);
    m_cboTax->clearEditText();
}

void ProductWindow::ResetPrices()
{
    const QString zero = Currency().format2(dbModule::UserNumberFormat());
    m_txtUnitPrice->setText(zero);
    m_txtUnitPricebezPDV->setText(zero);
    m_txtVPUnitPrice->setText(zero);
    m_txtVPUnitPricebezPDV->setText(zero);
    m_txtQuantity->setText(QStringLiteral("0"));
}

void ProductWindow::setUnitText(const QString &text)
{
    const int index = m_txtUnit->findText(text, Qt::MatchFixedString);
    if (index >= 0 && m_txtUnit->itemText(index) == text)
        m_txtUnit->setCurrentIndex(index);
    else
        m_txtUnit->setEditText(text);
    txtUnit_Change();
}

void ProductWindow::setTaxText(const QString &text)
{
    const int index = m_cboTax->findText(text, Qt::MatchFixedString);
    if (index >= 0 && m_cboTax->itemText(index) == text)
        m_cboTax->setCurrentIndex(index);
    else
        m_cboTax->setEditText(text);
    cboTax_Change();
}

void ProductWindow::txtUnit_Change()
{
    // A unit that is not found leaves the name shown; so does a database failure.
    try {
        if (auto unit = Units::find(dbModule::mainDatabase(), m_txtUnit->currentText()))
            m_txtUnitName->setText(unit->unitName);
    } catch (const AppError &) {
    }
}

void ProductWindow::cboTax_Change()
{
    try {
        if (auto rate = ProductTaxRates::find(dbModule::mainDatabase(), m_cboTax->currentText()))
            taxFound(*rate);
    } catch (const AppError &) {
    }
}

void ProductWindow::taxFound(const ProductTaxRate &rate)
{
    m_txtTaxPercent->setText(rate.percentText);
}

void ProductWindow::cmdHelp_Click()
{
    ShowHelp();
}

void ProductWindow::cmdSelect_Click()
{
    QString filter;
    const QChar nul(0);
    const QStringList pairs{m_texts.allImages, QStringLiteral("*.bmp; *.gif; *.jpg; *.wmf; *.emf; *.ico; *.cur"),
                            QStringLiteral("Bitmaps (*.bmp; *.dib)"), QStringLiteral("*.bmp; *.dib"),
                            QStringLiteral("GIF Images (*.gif)"), QStringLiteral("*.gif"),
                            QStringLiteral("JPEG Images (*.jpg)"), QStringLiteral("*.jpg")};
    for (const QString &part : pairs)
        filter += part + nul;
    for (;;) {
        const QString chosen = modDialogs::ShowOpenFileDialog(this, filter, m_texts.pictureTitle, QString(), false);
        if (chosen == QLatin1String("0"))
            return;
        if (dbModule::FileExists(chosen)) {
            m_txtPicturePath->setText(modDialogs::FileNameFromPath(chosen));
            m_chosenPicturePath = chosen;
            showPicture(chosen);
            return;
        }
        ui::messageBox(m_texts.missingFile, ui::Buttons::Ok, ui::Icon::Exclamation, QStringLiteral("File Not Found"),
                       this);
    }
}

void ProductWindow::cmdDelPic_Click()
{
    m_txtPicturePath->clear();
    m_chosenPicturePath.clear();
    m_imgPicture->clear();
}

void ProductWindow::showPicture(const QString &fullPath)
{
    const QPixmap picture = fullPath.isEmpty() ? QPixmap() : QPixmap(fullPath);
    if (picture.isNull())
        m_imgPicture->clear();
    else
        m_imgPicture->setPixmap(picture);
}

bool ProductWindow::placePictureInFolder(Product &product)
{
    if (m_chosenPicturePath.isEmpty() || m_txtPicturePath->text().isEmpty())
        return true;
    // Another picture under the same name stays as it is (other products show it); this one is
    // stored under a free name.
    const QString name = ProductEntry::freePictureName(pictureFolder(), m_txtPicturePath->text(), m_chosenPicturePath);
    m_txtPicturePath->setText(name);
    product.pict = name;
    const QString target = pictureFolder() + name;
    const QFileInfo source(m_chosenPicturePath);
    if (QFileInfo(target).exists())
        return true;   // this very picture is there already
    QDir().mkpath(pictureFolder());
    const QString failure = SavedFile::copy(source.absoluteFilePath(), target, SavedFile::Replace::No);
    if (failure.isEmpty())
        return true;
    ui::messageBox(QStringLiteral("The picture could not be copied to ") + QDir::toNativeSeparators(pictureFolder())
                       + QStringLiteral(".\n") + failure,
                   ui::Buttons::Ok, ui::Icon::Exclamation, caption(), this);
    return false;
}

ProductEntryTexts ProductWindow::enteredTexts() const
{
    ProductEntryTexts t;
    t.prodCode = m_txtProdCode->text();
    t.description = m_txtDescription->text();
    t.unitPrice = m_txtUnitPrice->text();
    t.unitPricebezPDV = m_txtUnitPricebezPDV->text();
    t.vpUnitPrice = m_txtVPUnitPrice->text();
    t.vpUnitPricebezPDV = m_txtVPUnitPricebezPDV->text();
    t.quantity = m_txtQuantity->text();
    t.unit = m_txtUnit->currentText();
    t.taxID = m_cboTax->currentText();
    t.taxPercent = m_txtTaxPercent->text();
    t.pict = m_txtPicturePath->text();
    return t;
}

QWidget *ProductWindow::boxOf(EntryField field) const
{
    switch (field) {
    case EntryField::ProdCode: return m_txtProdCode;
    case EntryField::UnitPrice: return m_txtUnitPrice;
    case EntryField::UnitPricebezPDV: return m_txtUnitPricebezPDV;
    case EntryField::VPUnitPrice: return m_txtVPUnitPrice;
    case EntryField::VPUnitPricebezPDV: return m_txtVPUnitPricebezPDV;
    case EntryField::Quantity: return m_txtQuantity;
    case EntryField::Unit: return m_txtUnit;
    case EntryField::TaxID: return m_cboTax;
    }
    return m_txtProdCode;
}

std::optional<Product> ProductWindow::checkedProduct()
{
    auto checked = ProductEntry::check(enteredTexts(), dbModule::UserNumberFormat());
    if (auto *refusal = std::get_if<EntryRefusal>(&checked)) {
        ui::messageBox(refusal->message, ui::Buttons::Ok, ui::Icon::Information, caption(), this);
        boxOf(refusal->focus)->setFocus();
        return std::nullopt;
    }
    const Product product = std::get<Product>(checked);
    try {
        if (auto refusal = ProductEntry::checkReferences(dbModule::mainDatabase(), product)) {
            ui::messageBox(refusal->message, ui::Buttons::Ok, ui::Icon::Information, caption(), this);
            boxOf(refusal->focus)->setFocus();
            return std::nullopt;
        }
    } catch (const AppError &e) {
        ui::showError(e, caption(), this);
        return std::nullopt;
    }
    return product;
}

void ProductWindow::reportSaveError(const AppError &error, bool beepAfterDuplicate)
{
    if (error.number() == ErrorNo::DuplicateKey) {
        ui::messageBox(QStringLiteral("Product with this code-barcode already exists.Change ProductID!"),
                       ui::Buttons::Ok, ui::Icon::None, QString(), this);
        if (beepAfterDuplicate)
            ui::beep();
        m_txtProdCode->setFocus();
        return;
    }
    ui::showError(error, caption(), this);
}

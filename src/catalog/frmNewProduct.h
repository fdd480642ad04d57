#pragma once
// The new product window: adds products one after another; after each save the window is
// cleared for the next one.
#include "catalog/ProductWindow.h"

class QPushButton;

class frmNewProduct : public ProductWindow {
    Q_OBJECT
public:
    frmNewProduct();

    void cmdAdd_Click();      // F5
    void cmdDelete_Click();   // Esc: clears the form; deletes nothing stored

protected:
    void Form_Load() override;
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool &handled) override;

private:
    QPushButton *m_cmdDelete = nullptr;
};

// The main window's "New Product": the window, modally.
void openNewProduct();

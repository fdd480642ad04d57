#pragma once
// A window that can receive a product code picked in the product list (the sales screen, the
// composition window). The list writes the code into the box; the window's own lookup follows.
class QLineEdit;

class ProductCodeTarget {
public:
    virtual ~ProductCodeTarget() = default;
    // The box whose new text starts the window's own product lookup.
    virtual QLineEdit *productCodeBox() = 0;
};

#pragma once
// The state a window's controls had when it was built (texts, captions, check marks, list
// entries, enabled and hidden flags, colours), taken once and put back at every unload, so that
// the next load starts from the window as designed.
#include <QPalette>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class QWidget;

namespace ui {

// True when widget is window or one of its controls, also while the window sits inside another
// one (the sales screen inside the main window), but not a control of a window it owns.
bool isControlOfWindow(const QWidget *widget, const QWidget *window);

class DesignState {
public:
    // Records `window` and every control inside it (not inside other windows it owns).
    void capture(QWidget *window);
    bool isCaptured() const { return m_captured; }
    // Puts every recorded control back, without emitting change signals. Controls created after
    // capture() are left alone; controls deleted meanwhile are skipped.
    void restore() const;

private:
    struct Control {
        QPointer<QWidget> widget;
        bool enabled = true;
        bool explicitlyHidden = false;
        bool ownPalette = false;
        QPalette palette;
        QString text;        // line edit, label, button caption, plain text / HTML of a text box
        bool readOnly = false;
        bool checked = false;
        int index = -1;      // combo box and tab page
        QStringList entries; // combo and list box entries
        QVariantList entryData;
        QVariant value;      // spin boxes, date and time boxes, progress bars
    };
    std::vector<Control> m_controls;
    QPointer<QWidget> m_window;
    QString m_windowTitle;
    bool m_captured = false;
};

}  // namespace ui

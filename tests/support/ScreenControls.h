#pragma once
// Finding a window's controls by their names, and typing into them, for window tests.
#include "platform/ui/ListView.h"
#include <QLineEdit>
#include <QtTest>

template <class T = QLineEdit>
T *control(QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

inline QString box(QWidget &window, const char *name) { return control(window, name)->text(); }
inline ui::ListView *lines(QWidget &window) { return control<ui::ListView>(window, "lv1"); }

inline void type(QWidget *target, const QString &text)
{
    target->setFocus();
    QTest::keyClicks(target, text);
}

// Empties the box and types the text, as a user replaces what it held.
inline void retype(QLineEdit *target, const QString &text)
{
    target->clear();
    type(target, text);
}

inline void enter(QWidget *target) { QTest::keyClick(target, Qt::Key_Return); }

#pragma once
// The application object with the last guard of the event loop: an exception that a handler let
// escape is shown to the user as an error message instead of ending the program.
#include <QApplication>

namespace ui {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

}  // namespace ui

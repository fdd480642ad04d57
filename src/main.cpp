// The program: start-up opens the program folder's databases and shows the first window.
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZORVEL"));
    QLabel label(QStringLiteral("ZORVEL"));
    label.show();
    return app.exec();
}

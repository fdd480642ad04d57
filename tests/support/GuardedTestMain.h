#pragma once
// The main function of a window test, as QTEST_MAIN writes it, but with the program's own
// application object, so that an exception leaving a handler is shown as the program shows it,
// and with a scripted answer the test did not expect failing the running test function.
#include "platform/ui/GuardedApplication.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QtTest>

inline void failTheRunningTest(const QString &reason)
{
    if (QTest::currentTestFunction())
        QTest::qFail(qPrintable(QStringLiteral("ScriptedDialogs: ") + reason), __FILE__, __LINE__);
    else
        qFatal("ScriptedDialogs: %s", qPrintable(reason));
}

#define ZORVEL_TEST_MAIN(TestObject)                                      \
    int main(int argc, char *argv[])                                      \
    {                                                                     \
        ui::GuardedApplication app(argc, argv);                           \
        app.setAttribute(Qt::AA_Use96Dpi, true);                          \
        ui::ScriptedDialogs::setFailureHandler(failTheRunningTest);       \
        TestObject tc;                                                    \
        QTEST_SET_MAIN_SOURCE_PATH                                        \
        const int result = QTest::qExec(&tc, argc, argv);                 \
        ui::setDialogs(nullptr);                                          \
        ui::ScriptedDialogs::setFailureHandler({});                       \
        return result;                                                    \
    }

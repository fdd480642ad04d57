#pragma once
// Small helpers the test programs share.
#include "platform/values/AppError.h"
#include <QByteArray>
#include <functional>

// The error number the work raised, 0 when it raised none.
inline int errorOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const AppError &e) {
        return e.number();
    }
    return 0;
}

// Restores an environment variable when the test ends, passed or failed.
class EnvironmentGuard {
public:
    explicit EnvironmentGuard(const char *name)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_value(qgetenv(name)) {}
    ~EnvironmentGuard()
    {
        if (m_had)
            qputenv(m_name, m_value);
        else
            qunsetenv(m_name);
    }
    EnvironmentGuard(const EnvironmentGuard &) = delete;
    EnvironmentGuard &operator=(const EnvironmentGuard &) = delete;

private:
    const char *m_name;
    bool m_had;
    QByteArray m_value;
};

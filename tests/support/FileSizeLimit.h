#pragma once
// A full disk for a test, without root: while one of these lives, no file of this process grows
// past `bytes`. A write that would go further writes what fits and then fails ("File too large"),
// as a write on a full disk does. The signal the kernel sends with it is ignored meanwhile.
#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        m_valid = ::getrlimit(RLIMIT_FSIZE, &m_before) == 0;
        rlimit limited = m_before;
        limited.rlim_cur = bytes;
        m_valid = m_valid && ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        if (m_valid)
            ::setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isValid() const { return m_valid; }   // false when the system refused the limit

private:
    rlimit m_before{};
    bool m_valid = false;
    void (*m_signal)(int) = SIG_DFL;
};

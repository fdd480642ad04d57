#include "system/FileWrites.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace FileWrites {

QString systemError(int error)
{
    return QString::fromLocal8Bit(strerror(error));
}

QString writeAll(int fd, const char *data, qsizetype left)
{
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return systemError(errno);
        }
        data += written;
        left -= written;
    }
    return QString();
}

}  // namespace FileWrites

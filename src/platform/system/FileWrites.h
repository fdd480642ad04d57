#pragma once
// The few system calls every file the program writes goes through.
#include <QString>

namespace FileWrites {

// The system's words for an error number.
QString systemError(int error);
// Writes all of the bytes to the file, again after an interrupted call; "" or why not.
QString writeAll(int fd, const char *data, qsizetype left);

}  // namespace FileWrites

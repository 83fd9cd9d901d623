#pragma once

#include <QString>

// The text of the input/output error for a failed file operation: "File not found",
// "Invalid filename", "Too many open files", "File access denied", or "I/O error <code>" with the
// system's error code for anything else.
QString inOutErrorMessage(int errorCode);

// Makes `path` the process's current directory. Throws AppError with the input/output error text
// when the change fails.
void setCurrentDirectory(const QString &path);

#pragma once

#include <QByteArray>
#include <QString>

// Files that appear whole or not at all: the content goes to a fresh temporary file beside the
// target, is flushed to disk and only then takes the target's name, in one step. Every function
// returns 0 or the errno of the failure; a failure leaves the target as it was and removes the
// temporary file where it can.
namespace WholeFile {

// Writes `content` to a new temporary file beside `path` and flushes it; `temporary` receives
// its name. The file gets the permission bits `mode`, or with -1 the usual ones (0666 less the
// umask), readable and writable by its owner in either case from the moment it exists.
int writeTemporary(const QString &path, const QByteArray &content, QByteArray &temporary, int mode = -1);

// Gives the temporary file the name `path`: replacing whatever is there, or, with
// `keepExisting`, leaving a file that appeared there meanwhile (which counts as success).
int putInPlace(const QByteArray &temporary, const QString &path, bool keepExisting);

// Removes a temporary file that is not needed any more.
void discard(const QByteArray &temporary);

// Flushes the entries of `path`'s folder (after a rename in it) to disk.
void syncFolderOf(const QString &path);

// The whole of `path`, or the errno of the failure.
int read(const QString &path, QByteArray &content);

} // namespace WholeFile

#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace qm {

// Paths travel as the bytes the system gave, whatever their encoding: a
// folder whose name is not UTF-8 is still the same folder. URLs carry such
// bytes percent-encoded; only the screen shows U+FFFD for them.

// The working folder, as the system's bytes.
QByteArray workingFolder();

// The file URL of a local path (its bytes, unchanged); a relative path is
// taken from the working folder.
QUrl fileUrl(const QByteArray& localPath);

// The local path of a file URL, as bytes (empty for other URLs).
QByteArray localPath(const QUrl& url);

// `path` made absolute against the folder `workingFolder` (an absolute path
// stays as it is): "." and ".." components of the relative part are
// resolved by name, as the shell would.
QByteArray absolutePath(const QByteArray& path, const QByteArray& workingFolder);

// Whether something exists at the path (a link counts, even a broken one).
bool existsOnDisk(const QByteArray& path);

// The path on disk that `shown` names, when all Qt gives is text: a name
// that is not UTF-8 reaches Qt with U+FFFD in place of its odd bytes, so each
// such component is looked up among its folder's entries. Empty when no
// entry, or more than one, matches.
QByteArray pathOnDisk(const QString& shown);

} // namespace qm

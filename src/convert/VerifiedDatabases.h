#pragma once
// The database files that passed SQLite's quick_check, by the file's identity: its device,
// inode, size, and times of modification and of change. A file is read whole for the check
// once, not at every start (on a 10 MB database the check was most of a small run's time);
// any write to the file changes its change time, and so its identity, and the file is
// checked again. The identities are kept in the user's cache folder ("quellist/verified-
// databases"); where it cannot be read or written, every start checks.

#include <QString>

namespace VerifiedDatabases {

// The file's identity; empty where it cannot be told (the file is then always checked).
QString identityOf(const QString& path);
bool isVerified(const QString& identity);
// Remembers the identity (and the last few before it); a failure to write is no error.
void remember(const QString& identity);

} // namespace VerifiedDatabases

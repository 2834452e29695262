#pragma once
// The file-exists test: true when the last-modification time of the named file (or
// folder) can be read. Never reports and never throws.

#include <QString>

bool fileExists(const QString& path);

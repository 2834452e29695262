#pragma once
// The text after the last backslash of a path; the whole text when it holds none.
// Only the backslash separates: the progress texts show entries and names this way.

#include <QString>
#include <QStringView>

QStringView FileNameFromPath(QStringView path);

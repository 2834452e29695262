#pragma once
// Paths built from a folder and a file name, as the open dialog hands back a selection
// of several files: the joint may double a separator, which these functions take out.

#include <QString>

// The Windows rule: every non-overlapping pair of backslashes becomes one, in one pass;
// a leading run of backslashes becomes exactly two (a network path keeps its two).
QString CollapseDoubleBackslashes(const QString& path);

// The same rule for this platform's separator "/": pairs become one, in one pass, and a
// leading run becomes the single "/" of an absolute path.
QString CollapseDoubleSlashes(const QString& path);

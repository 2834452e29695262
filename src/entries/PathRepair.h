#pragma once
// Paths built from a folder and a file name, as the open dialog hands back a selection
// of several files: the joint may double a separator, which this function takes out.

#include <QString>

// Every non-overlapping pair of "/" becomes one, in one pass, and a leading run becomes
// the single "/" of an absolute path.
QString CollapseDoubleSlashes(const QString& path);

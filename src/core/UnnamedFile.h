#pragma once
// A file without a name in a folder (O_TMPFILE): the kernel removes it when it is closed,
// also when the program is killed. The one atomic output writes into one beside its
// target; the list reader spools a pipe into one.

#include <QByteArray>

#include <sys/types.h>

struct UnnamedFile {
    int fd = -1; // -1 when none could be made; errno says why
    // Where the file system makes no unnamed files: the name of the file made from the
    // template instead, which its owner removes.
    QByteArray named;
};

// access: O_RDWR or O_WRONLY. fallback: a path ending in XXXXXX.
UnnamedFile openUnnamedFile(const QByteArray& folder, int access, mode_t mode, QByteArray fallback);

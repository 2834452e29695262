#include "core/UnnamedFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>

UnnamedFile openUnnamedFile(const QByteArray& folder, int access, mode_t mode,
                            QByteArray fallback) {
    const int fd = ::open(folder.constData(), O_TMPFILE | access | O_CLOEXEC, mode);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return {fd, {}};
    const int named = ::mkostemp(fallback.data(), O_CLOEXEC);
    return named >= 0 ? UnnamedFile{named, fallback} : UnnamedFile{};
}

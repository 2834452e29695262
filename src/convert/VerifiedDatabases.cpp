#include "convert/VerifiedDatabases.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <sys/stat.h>

namespace {

constexpr qsizetype remembered = 16; // databases, one a line; the oldest go first

QString stampsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/quellist/verified-databases");
}

QStringList stamps() {
    QFile file(stampsPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    constexpr qint64 bound = 4096; // no list of sixteen lines is longer
    return QString::fromLatin1(file.read(bound)).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

namespace VerifiedDatabases {

QString identityOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return QStringLiteral("%1:%2:%3:%4.%5:%6.%7")
        .arg(info.st_dev)
        .arg(info.st_ino)
        .arg(info.st_size)
        .arg(info.st_mtim.tv_sec)
        .arg(info.st_mtim.tv_nsec)
        .arg(info.st_ctim.tv_sec)
        .arg(info.st_ctim.tv_nsec);
}

bool isVerified(const QString& identity) {
    return !identity.isEmpty() && stamps().contains(identity);
}

void remember(const QString& identity) {
    if (identity.isEmpty())
        return;
    QStringList lines = stamps();
    lines.removeAll(identity);
    lines.append(identity);
    while (lines.size() > remembered)
        lines.removeFirst();
    const QString path = stampsPath();
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path); // whole or not at all: another run may read it meanwhile
    if (file.open(QIODevice::WriteOnly) && file.write(lines.join(u'\n').toLatin1() + '\n') > 0)
        file.commit();
}

} // namespace VerifiedDatabases

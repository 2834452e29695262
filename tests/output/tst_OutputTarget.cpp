// The one way files reach the disk: a file takes its place complete or not at all, keeps
// the permissions and links of the file it replaces, and devices and our own standard
// streams are written where they are.

#include "output/OutputTarget.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

mode_t modeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

} // namespace

class OutputTargetTest : public QObject {
    Q_OBJECT
private slots:
    void commitOrCancel_data();
    void commitOrCancel();
    void linkedFileIsReplacedBehindItsLink();
    void writtenByNameThroughWritablePath();
    void devicesAndOwnStreamsInPlace();
};

void OutputTargetTest::commitOrCancel_data() {
    QTest::addColumn<bool>("existing");
    QTest::addColumn<bool>("commit");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("a new file, committed") << false << true << QByteArray("today");
    QTest::newRow("a new file, cancelled") << false << false << QByteArray();
    QTest::newRow("an old file, committed") << true << true << QByteArray("today");
    QTest::newRow("an old file, cancelled") << true << false << QByteArray("yesterday");
}

// Until commit nothing shows beside the target; after it, exactly the target.
void OutputTargetTest::commitOrCancel() {
    QFETCH(bool, existing);
    QFETCH(bool, commit);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rows.txt"));
    if (existing) {
        QVERIFY(writeFile(path, "yesterday"));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup));
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    {
        OutputTarget target(path);
        QCOMPARE(target.write("today"), 5);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), before);
        if (commit)
            target.commit();
    }
    QCOMPARE(readFile(path), after);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             after.isNull() ? QStringList() : QStringList{"rows.txt"});
    if (existing)
        QCOMPARE(modeOf(path), mode_t(0640)); // the replaced file's permissions stay
}

void OutputTargetTest::linkedFileIsReplacedBehindItsLink() {
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.txt"));
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    QVERIFY(writeFile(real, "yesterday"));
    QVERIFY(QFile::link(real, link));
    OutputTarget target(link);
    target.write("today");
    target.commit();
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readFile(real), QByteArray("today"));
}

// Libraries that open a file by its name (the workbook writer) write the same file.
void OutputTargetTest::writtenByNameThroughWritablePath() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.xlsx"));
    OutputTarget target(path);
    QFile byName(target.writablePath());
    QVERIFY(byName.open(QIODevice::WriteOnly));
    byName.write("a workbook");
    byName.close();
    QVERIFY(!QFileInfo::exists(path));
    target.commit();
    QCOMPARE(readFile(path), QByteArray("a workbook"));
}

void OutputTargetTest::devicesAndOwnStreamsInPlace() {
    for (const char* name : {"/dev/null", "/dev/stdout", "/dev/stderr", "-"}) {
        OutputTarget target(QString::fromLatin1(name));
        QVERIFY2(target.inPlace(), name);
        QCOMPARE(target.name(), name == QByteArray("-") ? QStringLiteral("standard output")
                                                        : QString::fromLatin1(name));
    }
    OutputTarget device(QStringLiteral("/dev/null"));
    QCOMPARE(device.write("rows"), 4);
    device.commit();
    QVERIFY(QFileInfo(QStringLiteral("/dev/null")).exists());
}

QTEST_GUILESS_MAIN(OutputTargetTest)
#include "tst_OutputTarget.moc"

// Which spreadsheet program "Save Results As Excel File" starts: LibreOffice under any of
// its names, Gnumeric where it is the only one, else the desktop's program for workbooks;
// programs found on a PATH of stub scripts.

#include "shell/SpreadsheetProbe.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeScript(const QString& path, const QByteArray& body) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n" + body);
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

class SpreadsheetProbeTest : public QObject {
    Q_OBJECT
private slots:
    void probe_data();
    void probe();
};

void SpreadsheetProbeTest::probe_data() {
    QTest::addColumn<QStringList>("stubs"); // name=output
    QTest::addColumn<QStringList>("found"); // program name, then its arguments
    QTest::newRow("nothing") << QStringList() << QStringList();
    QTest::newRow("localc") << QStringList{"localc=", "soffice="} << QStringList{"localc", "-n"};
    QTest::newRow("soffice") << QStringList{"soffice="} << QStringList{"soffice", "--calc", "-n"};
    QTest::newRow("libreoffice") << QStringList{"libreoffice=", "gnumeric="}
                                 << QStringList{"libreoffice", "--calc", "-n"};
    QTest::newRow("gnumeric only")
        << QStringList{"gnumeric=", "xdg-mime=gnumeric.desktop", "xdg-open="}
        << QStringList{"gnumeric"};
    QTest::newRow("desktop default")
        << QStringList{"xdg-mime=libreoffice-calc.desktop", "xdg-open="} << QStringList{"xdg-open"};
    QTest::newRow("no default for xlsx") << QStringList{"xdg-mime=", "xdg-open="} << QStringList();
}

void SpreadsheetProbeTest::probe() {
    QFETCH(QStringList, stubs);
    QFETCH(QStringList, found);
    QTemporaryDir bin;
    for (const QString& stub : stubs) {
        const QString name = stub.section(u'=', 0, 0);
        writeScript(bin.filePath(name), "echo '" + stub.section(u'=', 1).toUtf8() + "'\n");
    }
    const auto program = SpreadsheetProbe::find(bin.path());
    if (found.isEmpty()) {
        QVERIFY(!program);
        return;
    }
    QVERIFY(program);
    QCOMPARE(program->program, bin.filePath(found.first()));
    QCOMPARE(program->argumentsBeforeFile, found.mid(1));
}

QTEST_GUILESS_MAIN(SpreadsheetProbeTest)
#include "tst_SpreadsheetProbe.moc"

#pragma once
// quellist-convert run as a script runs it: arguments, standard input, and what it gave.

#include <QByteArray>
#include <QProcess>
#include <QStringList>

struct ConvertResult {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline ConvertResult runConvert(const QString& program, const QStringList& arguments,
                                const QByteArray& input = {}) {
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

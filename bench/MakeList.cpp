// Writes N entries of the benchmarks' mix to a list file, CR LF after each, for the
// command-line converter's benchmark. Usage: bench_make_list FILE N
#include "BenchWorkload.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_make_list FILE N\n");
        return 2;
    }
    const int count = std::atoi(argv[2]);
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    // Drawn in slices so that ten million entries need not be held at once.
    constexpr int slice = 1'000'000;
    for (int done = 0; done < count; done += slice) {
        QByteArray bytes;
        const QStringList entries =
            BenchWorkload::entries(QStringLiteral(QUELLIST_ZIP_TSV), std::min(slice, count - done),
                                   20261208u + unsigned(done));
        for (const QString& entry : entries)
            bytes += entry.toUtf8() + "\r\n";
        if (file.write(bytes) != bytes.size())
            return 1;
    }
    return file.flush() ? 0 : 1;
}

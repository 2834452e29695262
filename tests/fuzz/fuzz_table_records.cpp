// csv and tsv records from any text: however a pipe cuts the text into pieces, the same
// records (or the same fault) come out, each with a field, on lines that only go forward.

#include "FuzzCheck.h"
#include "entries/TableRecordStream.h"

#include <QStringList>

namespace {

QStringList readAll(const QString& text, TableFormat format, qsizetype piece) {
    QStringList out;
    qint64 lastLine = 0;
    TableRecordStream stream(format, [&](const TableRecord& record) {
        FUZZ_CHECK(record.size() >= 1);
        FUZZ_CHECK(record.line() > lastLine);
        lastLine = record.line();
        QStringList fields;
        for (qsizetype i = 0; i < record.size(); ++i)
            fields << record[i].toString();
        out << QString::number(record.line()) + u':' + fields.join(QChar(0));
    });
    try {
        for (qsizetype i = 0; i < text.size(); i += piece)
            stream.feed(QStringView(text).mid(i, piece));
        stream.finish();
    } catch (const TableFault& fault) {
        out << QStringLiteral("fault %1: %2").arg(fault.line).arg(fault.description());
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const TableFormat format = data[0] & 1 ? TableFormat::Tsv : TableFormat::Csv;
    const qsizetype piece = 1 + (data[0] >> 1);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    FUZZ_CHECK(readAll(text, format, piece) == readAll(text, format, text.size() + 1));
    return 0;
}

#pragma once
// Reads the text of a list file into entries, one per line.
//
// Bytes: UTF-8 when they are valid UTF-8 (a byte-order mark at the start is dropped),
// otherwise Windows-1252, as lists made on Windows machines are.
// Lines: CR LF, CR alone and the end of the file end a line; a final CR LF adds no line.
// A line feed alone does not end a line: such a line is split at its line feeds, and
// every piece but the last is added trimmed only. Tabs are removed; the last piece (or
// the whole line) is padded to five characters when shorter, upper-cased and trimmed.
// Trimming removes blanks (U+0020) only.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>

namespace ListFileReader {

QString decode(const QByteArray& bytes);
// Bytes 0x80 to 0x9F as Windows-1252 has them, the others as their Latin-1 code points.
QString decodeWindows1252(QByteArrayView bytes);
bool looksBinary(const QByteArray& bytes);
void forEachEntry(QStringView text, const std::function<void(QStringView entry)>& add);

} // namespace ListFileReader

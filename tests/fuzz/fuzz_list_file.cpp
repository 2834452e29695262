// List file bytes: decoding (UTF-8 or Windows-1252) and both sets of line rules.

#include "FuzzCheck.h"
#include "entries/ListFileStream.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (LineEnds ends : {LineEnds::Window, LineEnds::Any}) {
        QBuffer device(&bytes);
        device.open(QIODevice::ReadOnly);
        qsizetype entries = 0;
        ListFileStream stream({ends, 0});
        stream.read(device, [&](QStringView entry) {
            ++entries;
            FUZZ_CHECK(!entry.contains(u'\r') && !entry.contains(u'\n') && !entry.contains(u'\t'));
            FUZZ_CHECK(!entry.startsWith(u' ') && !entry.endsWith(u' '));
        });
        FUZZ_CHECK(entries <= bytes.size() + 1);
    }
    return 0;
}

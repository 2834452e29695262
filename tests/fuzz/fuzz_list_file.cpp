// List file bytes: decoding (UTF-8 or Windows-1252) and the line rules.

#include "FuzzCheck.h"
#include "entries/ListFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (ListFileReader::looksBinary(bytes))
        return 0;
    const QString text = ListFileReader::decode(bytes);
    qsizetype entries = 0;
    ListFileReader::forEachEntry(text, [&](QStringView entry) {
        ++entries;
        FUZZ_CHECK(!entry.contains(u'\r') && !entry.contains(u'\n') && !entry.contains(u'\t'));
        FUZZ_CHECK(!entry.startsWith(u' ') && !entry.endsWith(u' '));
    });
    FUZZ_CHECK(entries <= text.size() + 1);
    return 0;
}

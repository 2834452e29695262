// The database query path with arbitrary keys: whatever the key, the shipped database
// answers only rows that equal it, letter case aside. Input: zip key, NUL, city, NUL, state.

#include "FuzzCheck.h"
#include "convert/ZipDatabase.h"

#include <QStringList>

#include <vector>

namespace {

bool sameText(QStringView field, QStringView key) {
    return field.compare(key, Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ZipDatabase& database = *[] {
        auto* opened = new ZipDatabase(QStringLiteral(QUELLIST_ZIPBASE)); // lives for the run
        opened->prepare(std::vector{ZipField::City, ZipField::State, ZipField::Zip});
        return opened;
    }();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList keys = text.split(QChar(0));
    const QString zip = keys.value(0);
    const QString city = keys.value(1);
    const QString state = keys.value(2);
    database.lookupZip(zip,
                       [&](const ZipRow& row) { FUZZ_CHECK(sameText(row[ZipField::Zip], zip)); });
    database.lookupCityState(city, state, [&](const ZipRow& row) {
        FUZZ_CHECK(sameText(row[ZipField::City], city) && sameText(row[ZipField::State], state));
    });
    return 0;
}

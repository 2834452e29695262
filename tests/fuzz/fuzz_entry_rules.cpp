// Entries as typed or read: the numeric test and ClassifyEntry in two locales, ProperCase,
// PadZip, and the path repairs.

#include "FuzzCheck.h"
#include "convert/EntryRules.h"
#include "core/TextRules.h"
#include "entries/PathRepair.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const NumericText english{QLocale(QStringLiteral("en_US"))};
    static const NumericText german{QLocale(QStringLiteral("de_DE"))};
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    for (const NumericText* numeric : {&english, &german}) {
        const LookupKeys keys = ClassifyEntry(text, *numeric);
        if (keys.kind == EntryKind::Zip)
            FUZZ_CHECK(keys.zip == QStringView(text));
        if (keys.kind == EntryKind::CityState)
            FUZZ_CHECK(text.contains(u',') && keys.city.size() + keys.state.size() < text.size());
        if (keys.kind == EntryKind::None)
            FUZZ_CHECK(!text.contains(u','));
    }
    const QString cased = ProperCase(text);
    if (text.toUtf8().size() == text.size()) // ASCII: casing keeps every character's place
        FUZZ_CHECK(cased.size() == text.size() && cased.compare(text, Qt::CaseInsensitive) == 0);
    const QString padded = PadZip(text);
    FUZZ_CHECK(padded.size() >= 5 && padded.endsWith(text));
    FUZZ_CHECK(CollapseDoubleSlashes(text).size() <= text.size());
    return 0;
}

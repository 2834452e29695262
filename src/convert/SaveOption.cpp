#include "convert/SaveOption.h"

#include "convert/EntryRules.h"

namespace SaveOption {

bool isValid(int index) {
    return index >= SaveCityStateAndZip && index <= SaveJustCityAndState;
}

const QStringList& itemTexts() {
    static const QStringList texts{
        QStringLiteral("Save City, State and Zip"), QStringLiteral("Save Just City"),
        QStringLiteral("Save Just State"), QStringLiteral("Save Just Zip"),
        QStringLiteral("Save Just City and State")};
    return texts;
}

QString defaultText() {
    return itemTexts().at(SaveCityStateAndZip);
}

QString columnList(int index) {
    switch (index) {
    case SaveCityStateAndZip:
        return QStringLiteral("CITY, STATE, ZIP");
    case SaveJustCity:
        return QStringLiteral("CITY");
    case SaveJustState:
        return QStringLiteral("STATE");
    case SaveJustZip:
        return QStringLiteral("ZIP");
    case SaveJustCityAndState:
        return QStringLiteral("CITY, STATE");
    default:
        return {};
    }
}

QString wordRow(int index, std::span<const QStringView> fields, const QLocale& locale) {
    const auto field = [&](std::size_t i) { return i < fields.size() ? fields[i] : QStringView(); };
    switch (index) {
    case SaveCityStateAndZip:
        return ProperCase(field(0), locale)
            .append(u", ")
            .append(field(1))
            .append(u' ')
            .append(field(2));
    case SaveJustCity:
        return ProperCase(field(0), locale);
    case SaveJustState:
    case SaveJustZip:
        return field(0).toString();
    case SaveJustCityAndState:
        return ProperCase(field(0), locale).append(u", ").append(field(1));
    default:
        return {};
    }
}

} // namespace SaveOption

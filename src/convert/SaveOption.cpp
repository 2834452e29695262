#include "convert/SaveOption.h"

#include "convert/EntryRules.h"

namespace {

using enum ZipField;

const std::vector<SaveOptionInfo>& table() {
    static const std::vector<SaveOptionInfo> options{
        {"Save City, State and Zip", "city-state-zip", {{City, ", "}, {State, " "}, {Zip, ""}}},
        {"Save Just City", "city", {{City, ""}}},
        {"Save Just State", "state", {{State, ""}}},
        {"Save Just Zip", "zip", {{Zip, ""}}},
        {"Save Just City and State", "city-state", {{City, ", "}, {State, ""}}},
    };
    return options;
}

} // namespace

std::vector<ZipField> SaveOptionInfo::fields() const {
    std::vector<ZipField> fetched;
    for (const Part& part : parts)
        fetched.push_back(part.field);
    return fetched;
}

namespace SaveOption {

std::span<const SaveOptionInfo> all() {
    return table();
}

bool isValid(int index) {
    return index >= 0 && std::size_t(index) < table().size();
}

const SaveOptionInfo& at(int index) {
    return table().at(std::size_t(index));
}

QStringList itemTexts() {
    QStringList texts;
    for (const SaveOptionInfo& option : table())
        texts << QString::fromUtf8(option.itemText);
    return texts;
}

QStringList names() {
    QStringList names;
    for (const SaveOptionInfo& option : table())
        names << QString::fromUtf8(option.name);
    return names;
}

QString defaultText() {
    return QString::fromUtf8(at(SaveCityStateAndZip).itemText);
}

QString shown(ZipField field, QStringView value, const QLocale& locale) {
    return infoOf(field).properCase ? ProperCase(value, locale) : value.toString();
}

QString wordRow(int index, const ZipRow& row, const QLocale& locale) {
    if (!isValid(index))
        return {};
    QString text;
    for (const SaveOptionInfo::Part& part : at(index).parts)
        text.append(shown(part.field, row[part.field], locale)).append(QLatin1String(part.after));
    return text;
}

} // namespace SaveOption

#include "cli/TableEntries.h"

#include "core/TextRules.h"
#include "entries/EntryStream.h"

#include <QStringList>

namespace {

QString headerNames(const TableRecord& header) {
    constexpr qsizetype shownNames = 12;
    QStringList names;
    for (qsizetype i = 0; i < std::min(header.size(), shownNames); ++i)
        names << QStringLiteral("\"%1\"").arg(header[i]);
    if (header.size() > shownNames)
        names << QStringLiteral("…");
    return names.join(QStringLiteral(", "));
}

} // namespace

TableEntries::TableEntries(const TableOptions& options, Header header, Entry entry)
    : options_(options)
    , header_(std::move(header))
    , entry_(std::move(entry)) {}

void TableEntries::take(const TableRecord& record) {
    if (!fieldCount_) {
        fieldCount_ = record.size();
        locateColumns(record, options_.header);
        if (options_.header) {
            header_(record);
            return;
        }
    }
    if (record.size() != *fieldCount_)
        throw TableFault(
            QStringLiteral("the record has %1 fields, the %2 %3")
                .arg(record.size())
                .arg(options_.header ? QStringLiteral("header") : QStringLiteral("first record"))
                .arg(*fieldCount_),
            record.line());
    entry_(record, entryOf(record));
}

void TableEntries::locateColumns(const TableRecord& first, bool isHeader) {
    if (!options_.column.isEmpty()) {
        entryColumn_ = columnIndex(options_.column, first, isHeader);
        return;
    }
    cityColumn_ = columnIndex(options_.cityColumn, first, isHeader);
    stateColumn_ = columnIndex(options_.stateColumn, first, isHeader);
}

// A column by its number, or by its name in the header: as written, else the one name
// that matches with letter case and blanks at its ends ignored.
qsizetype TableEntries::columnIndex(const QString& column, const TableRecord& first,
                                    bool isHeader) const {
    bool isNumber = false;
    const qsizetype number = column.toLongLong(&isNumber);
    if (isNumber) {
        if (number > first.size())
            throw TableFault(QStringLiteral("column %1 is past the record's %2 fields")
                                 .arg(number)
                                 .arg(first.size()),
                             first.line());
        return number - 1;
    }
    qsizetype loose = -1;
    for (qsizetype i = 0; i < first.size(); ++i) {
        if (first[i] == column)
            return i;
        if (TrimBlanks(first[i]).compare(column.trimmed(), Qt::CaseInsensitive) == 0)
            loose = loose == -1 ? i : -2;
    }
    if (loose >= 0)
        return loose;
    Q_ASSERT(isHeader); // names need a header: the options say so
    throw TableFault(QStringLiteral("no column \"%1\" in the header, which has %2")
                         .arg(column, headerNames(first)),
                     first.line(), true);
}

QStringView TableEntries::entryOf(const TableRecord& record) {
    if (entryColumn_ >= 0) {
        const QStringView field = record[entryColumn_];
        if (!field.contains(u'\t'))
            return EntryStream::shape(field, shaped_);
        joined_ = field.toString().remove(u'\t');
    } else {
        joined_ = TrimBlanks(record[cityColumn_]).toString() + QStringLiteral(", ") +
                  TrimBlanks(record[stateColumn_]).toString();
        joined_.remove(u'\t');
    }
    return EntryStream::shape(joined_, shaped_);
}

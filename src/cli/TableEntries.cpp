#include "cli/TableEntries.h"

#include "core/Counted.h"
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
        locateColumns(record);
        if (options_.header) {
            header_(record);
            return;
        }
    }
    if (record.size() != *fieldCount_)
        throw TableFault(
            QStringLiteral("the record has %1, the %2 %3")
                .arg(Counted(record.size(), "field", "fields"))
                .arg(options_.header ? QStringLiteral("header") : QStringLiteral("first record"))
                .arg(*fieldCount_),
            record.line());
    entry_(record, entryOf(record));
}

void TableEntries::locateColumns(const TableRecord& first) {
    if (!options_.column.isEmpty())
        entryColumn_ = columnIndex(options_.column, first);
    if (!options_.cityColumn.isEmpty()) {
        cityColumn_ = columnIndex(options_.cityColumn, first);
        stateColumn_ = columnIndex(options_.stateColumn, first);
    }
    if (!options_.latitudeColumn.isEmpty()) {
        latitudeColumn_ = columnIndex(options_.latitudeColumn, first);
        longitudeColumn_ = columnIndex(options_.longitudeColumn, first);
    }
}

// A column by its number, or by its name in the header: as written, else the one name
// that matches with letter case and blanks at its ends ignored.
qsizetype TableEntries::columnIndex(const QString& column, const TableRecord& first) const {
    if (const qsizetype number = TableOptions::numberOf(column); number > 0) {
        if (number > first.size())
            throw TableFault(QStringLiteral("column %1 is past the record's %2")
                                 .arg(number)
                                 .arg(Counted(first.size(), "field", "fields")),
                             first.line());
        return number - 1;
    }
    Q_ASSERT(options_.header); // names need a header: the options say so
    std::vector<qsizetype> alike;
    for (qsizetype i = 0; i < first.size(); ++i) {
        if (first[i] == column)
            return i;
        if (TrimBlanks(first[i]).compare(QStringView(column).trimmed(), Qt::CaseInsensitive) == 0)
            alike.push_back(i);
    }
    if (alike.size() == 1)
        return alike.front();
    throw TableFault(alike.empty()
                         ? QStringLiteral("no column \"%1\" in the header, which has %2")
                               .arg(column, headerNames(first))
                         : QStringLiteral("%1 columns of the header are named like \"%2\": name "
                                          "the one meant as it is written, or by number")
                               .arg(alike.size())
                               .arg(column),
                     first.line(), true);
}

QStringView TableEntries::entryOf(const TableRecord& record) {
    if (entryColumn_ >= 0) {
        const QStringView field = record[entryColumn_];
        if (!field.contains(u'\t'))
            return EntryStream::shape(field, shaped_);
        joined_ = field.toString().remove(u'\t');
    } else if (latitudeColumn_ >= 0) {
        return {};
    } else {
        joined_.resize(0); // keeps its capacity: no allocation a record
        joined_ += TrimBlanks(record[cityColumn_]);
        joined_ += QStringView(u", ");
        joined_ += TrimBlanks(record[stateColumn_]);
        joined_.remove(u'\t');
    }
    return EntryStream::shape(joined_, shaped_);
}

QString TableEntries::pointEntryOf(const TableRecord& record) const {
    QString joined = TrimBlanks(record[latitudeColumn_]).toString() + u',' +
                     TrimBlanks(record[longitudeColumn_]).toString();
    QString shaped;
    return EntryStream::shape(joined.remove(u'\t'), shaped).toString();
}

#pragma once
// The entries of one table input: its header (when it has one) tells where the named
// columns are, and every record after it gives one entry, the field of the entry column,
// "CITY, ST" made of the city and the state column, or "LAT,LON" of the latitude and the
// longitude column, shaped as a line of a list is.
// Every record must have as many fields as the first: a short record would shift the
// appended fields into the wrong columns.

#include "cli/ConvertOptions.h"
#include "entries/TableRecordStream.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>
#include <vector>

class TableEntries {
public:
    using Header = std::function<void(const TableRecord& header)>;
    using Entry = std::function<void(const TableRecord& record, QStringView entry)>;

    TableEntries(const TableOptions& options, Header header, Entry entry);

    // Throws TableFault: a record that does not fit, a column that is not there.
    void take(const TableRecord& record);

    // With --check, the entry column is the zip's, beside a city and a state column.
    struct Address {
        QStringView zip;
        QStringView city;
        QStringView state;
    };
    Address addressOf(const TableRecord& record) const {
        return {record[entryColumn_], record[cityColumn_], record[stateColumn_]};
    }
    // With the latitude and longitude columns: the record's two coordinates, as written.
    struct Coordinates {
        QStringView latitude;
        QStringView longitude;
    };
    Coordinates coordinatesOf(const TableRecord& record) const {
        return {record[latitudeColumn_], record[longitudeColumn_]};
    }
    // The entry "LAT,LON" of such a record, as a list line would give it. The entry the
    // callback gets is empty for them: most records need no text of their point.
    QString pointEntryOf(const TableRecord& record) const;

private:
    void locateColumns(const TableRecord& first);
    qsizetype columnIndex(const QString& column, const TableRecord& first) const;
    QStringView entryOf(const TableRecord& record);

    const TableOptions& options_;
    Header header_;
    Entry entry_;
    std::optional<qsizetype> fieldCount_; // set by the first record
    qsizetype entryColumn_ = -1;
    qsizetype cityColumn_ = -1;
    qsizetype stateColumn_ = -1;
    qsizetype latitudeColumn_ = -1;
    qsizetype longitudeColumn_ = -1;
    QString joined_;
    QString shaped_;
};

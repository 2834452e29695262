#pragma once
// --format geojson: the rows as an RFC 7946 FeatureCollection, one Point feature a row at
// the zip's longitude and latitude, with the entry and the shown fields
// (ConvertOptions::shownFields) as its properties: the coordinates and the distance as
// numbers (a row without a distance: null), the rest as strings. A row whose zip has no point
// cannot be placed: it is left out and counted. Features go out as they come, one a line, so that
// any size streams.

#include "cli/BufferedOutput.h"
#include "cli/FieldList.h"
#include "cli/RowBytes.h"
#include "cli/RowWriter.h"

#include <QLocale>

class GeoJsonWriter : public RowWriter {
public:
    explicit GeoJsonWriter(const ConvertOptions& options);

    TextId makeRow(const ZipRow& row) override;
    void write(QStringView entry, const FoundRows& rows) override;
    std::int64_t rowsLeftOut() const override { return leftOut_; }
    void finish() override;

    // A JSON string of the text, in UTF-8.
    static void appendString(QByteArray& out, QStringView text);

private:
    void appendProperty(QByteArray& out, ZipField field, const ZipRow& row) const;
    // Starts a feature of the entry's; false for a row without a point.
    bool startFeature(TextId row);

    FieldList fields_;
    QLocale locale_;
    BufferedOutput out_;
    RowBytes rows_;
    QByteArray feature_; // the start of the entry's features, reused
    bool firstFeature_ = true;
    std::int64_t leftOut_ = 0;
};

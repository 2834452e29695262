#include "cli/GeoJsonWriter.h"

#include "convert/SaveOption.h"

namespace {

// A coordinate as a JSON number: the shortest decimal that reads back as the same double.
QByteArray jsonNumber(QStringView degrees) {
    return QByteArray::number(degrees.toDouble(), 'f', QLocale::FloatingPointShortest);
}

} // namespace

GeoJsonWriter::GeoJsonWriter(const ConvertOptions& options)
    : fields_{options.shownFields(), options.distanceAt}
    , out_(options.output) {
    out_.append("{\"type\":\"FeatureCollection\",\"features\":[\n");
}

void GeoJsonWriter::appendString(QByteArray& out, QStringView text) {
    out += '"';
    for (char c : text.toUtf8()) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[(c >> 4) & 0xf];
            out += hex[c & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
}

void GeoJsonWriter::appendProperty(QByteArray& out, ZipField field, const ZipRow& row) const {
    out += ',';
    out += '"';
    out += infoOf(field).header; // plain ASCII names
    out += '"';
    out += ':';
    const QStringView value = row[field];
    if (isNumber(infoOf(field).value))
        out += value.isEmpty() ? QByteArray("null") : jsonNumber(value);
    else
        appendString(out, SaveOption::shown(field, value, locale_));
}

// ,"city":"Londonderry",...},"geometry":{...}}: the feature after its entry; empty for a
// row that has no point.
GeoJsonWriter::TextId GeoJsonWriter::makeRow(const ZipRow& row) {
    const QStringView latitude = row[ZipField::Latitude];
    const QStringView longitude = row[ZipField::Longitude];
    if (latitude.isEmpty() || longitude.isEmpty())
        return rows_.intern(QByteArray());
    QByteArray feature;
    const qsizetype split = fields_.appendFields(
        feature, [&](QByteArray& out, ZipField field) { appendProperty(out, field, row); });
    feature += "},\"geometry\":{\"type\":\"Point\",\"coordinates\":[" + jsonNumber(longitude) +
               ',' + jsonNumber(latitude) + "]}}";
    return rows_.intern(feature, split);
}

bool GeoJsonWriter::startFeature(TextId row) {
    if (rows_[row].isEmpty()) {
        ++leftOut_;
        return false;
    }
    if (!std::exchange(firstFeature_, false))
        out_.append(",\n");
    out_.append(feature_);
    return true;
}

void GeoJsonWriter::write(QStringView entry, const FoundRows& rows) {
    feature_ = "{\"type\":\"Feature\",\"properties\":{\"entry\":";
    appendString(feature_, entry);
    for (std::size_t i = 0; i < rows.ids.size(); ++i)
        if (startFeature(rows.ids[i]))
            fields_.appendRow(out_, rows_, rows, i, ",\"distance\":", "null");
}

void GeoJsonWriter::finish() {
    out_.append(firstFeature_ ? "]}\n" : "\n]}\n");
    out_.commit();
}

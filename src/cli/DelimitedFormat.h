#pragma once
// How a record of the converter's csv or tsv output is framed, in UTF-8:
//   csv (RFC 4180): fields separated by commas, a field with a comma, a quote or a line end
//     quoted and its quotes doubled, CR LF after every record;
//   tsv: fields separated by tabs, no tab or line end inside a field (any that came from a
//     quoted csv field become blanks), LF after every record.

#include <QByteArray>
#include <QStringView>

class DelimitedFormat {
public:
    explicit DelimitedFormat(bool csv)
        : csv_(csv) {}

    bool csv() const { return csv_; }
    char separator() const { return csv_ ? ',' : '\t'; }
    const char* lineEnd() const { return csv_ ? "\r\n" : "\n"; }

    // The field as the record holds it.
    void appendField(QByteArray& out, QStringView text) const;
    // A separator, then the field: a field after the first.
    void appendNextField(QByteArray& out, QStringView text) const {
        out += separator();
        appendField(out, text);
    }

private:
    bool csv_;
};

#pragma once
// A field as a csv or tsv record of the converter's output holds it, in UTF-8.
//   csv (RFC 4180): a field with a comma, a quote or a line end is quoted, its quotes
//     doubled.
//   tsv: a field holds no tab and no line end; any that came from a quoted csv field
//     become blanks.

#include <QByteArray>
#include <QStringView>

void appendCell(QByteArray& out, QStringView text, bool csv);

#pragma once
// The benchmarks' entry mix, drawn with a fixed seed from the shipped zip-code table:
// 50% zip codes, 30% "CITY, ST", 10% "city , st" in lower case with a blank before the
// comma, 5% random five-digit numbers, 5% cities that do not exist.

#include <QString>
#include <QStringList>

namespace BenchWorkload {

QStringList entries(const QString& tsvPath, int count, unsigned seed = 20261208);

} // namespace BenchWorkload

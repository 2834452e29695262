#pragma once
// quellist-convert's usage line and --help, made from the option table.

#include <QString>

namespace ConvertHelp {

QString usage();
QString text();

} // namespace ConvertHelp

#pragma once
// Finds a spreadsheet program that can be started here: LibreOffice Calc ("localc" or
// "soffice" on the PATH), else the desktop's default application for .xlsx workbooks
// (as xdg-mime names it), started through xdg-open.

#include "core/Platform.h"

#include <QString>

#include <optional>

namespace SpreadsheetProbe {

inline constexpr const char* xlsxMimeType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

// path: the PATH to search, folders separated by ':'.
std::optional<SpreadsheetProgram> find(const QString& path);

} // namespace SpreadsheetProbe

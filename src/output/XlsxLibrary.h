#pragma once
// libxlsxwriter, loaded when the first workbook is written rather than at every start: the
// libraries it brings (zlib, minizip, OpenSSL's libcrypto) took a quarter of the start of a
// small run of the converter, which most runs never need. The few functions the workbook
// writer calls, found once in libxlsxwriter.so.4.

#include <xlsxwriter.h>

struct XlsxLibrary {
    decltype(&workbook_new_opt) workbookNewOpt;
    decltype(&workbook_add_worksheet) workbookAddWorksheet;
    decltype(&workbook_close) workbookClose;
    decltype(&lxw_workbook_free) workbookFree;
    decltype(&worksheet_write_string) worksheetWriteString;
    decltype(&worksheet_set_column) worksheetSetColumn;
    decltype(&lxw_strerror) strerror;

    // The library, loaded at the first call. Throws AppError naming the library and why,
    // where it cannot be loaded.
    static const XlsxLibrary& get();
};

#include "output/XlsxLibrary.h"

#include "core/AppError.h"

#include <QString>

#include <dlfcn.h>

namespace {

constexpr const char* libraryName = "libxlsxwriter.so.4";

QString lastError() {
    const char* error = dlerror();
    return error ? QString::fromLocal8Bit(error) : QStringLiteral("unknown error");
}

template <class Function> void find(void* library, const char* name, Function& function) {
    void* found = dlsym(library, name);
    if (!found)
        throw AppError(QStringLiteral("The workbook library %1 lacks %2: %3")
                           .arg(QLatin1String(libraryName), QLatin1String(name), lastError()));
    function = reinterpret_cast<Function>(found); // NOLINT: dlsym's answer is the function
}

XlsxLibrary load() {
    void* library = dlopen(libraryName, RTLD_NOW | RTLD_LOCAL); // kept for the run
    if (!library)
        throw AppError(QStringLiteral("Cannot load the workbook library %1 (Debian's package "
                                      "libxlsxwriter4): %2")
                           .arg(QLatin1String(libraryName), lastError()));
    XlsxLibrary functions{};
    find(library, "workbook_new_opt", functions.workbookNewOpt);
    find(library, "workbook_add_worksheet", functions.workbookAddWorksheet);
    find(library, "workbook_close", functions.workbookClose);
    find(library, "lxw_workbook_free", functions.workbookFree);
    find(library, "worksheet_write_string", functions.worksheetWriteString);
    find(library, "worksheet_set_column", functions.worksheetSetColumn);
    find(library, "lxw_strerror", functions.strerror);
    return functions;
}

} // namespace

// Loaded once, by the first thread that asks; a load that throws is tried again at the
// next workbook.
const XlsxLibrary& XlsxLibrary::get() {
    static const XlsxLibrary library = load();
    return library;
}

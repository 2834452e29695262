// The cursor file reader (HAND-M.CUR beside the program).

#include "FuzzCheck.h"
#include "shell/CursorFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CursorFile reader;
    const auto image =
        reader.parse(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!image) {
        FUZZ_CHECK(!reader.error().isEmpty());
        return 0;
    }
    FUZZ_CHECK(!image->png.isEmpty() ||
               image->argb.size() == std::size_t(image->width) * std::size_t(image->height));
    return 0;
}

// The zipbase builder's reader of the zip-code table.

#include "FuzzCheck.h"
#include "zipbase/ZipTsvReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ZipTsvReader reader;
    const bool ok = reader.parse(std::string_view(reinterpret_cast<const char*>(data), size));
    FUZZ_CHECK(ok != reader.error().has_value());
    for (const ZipRecord& record : reader.records())
        FUZZ_CHECK(record[ZipField::Zip].size() == 5 && record[ZipField::State].size() == 2 &&
                   !record[ZipField::City].empty());
    return 0;
}

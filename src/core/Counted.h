#pragma once
// A count and its noun, which agree: "1 entry", "1,204 entries" (the digits grouped as the
// locale groups them).

#include <QLatin1String>
#include <QString>

#include <cstdint>

inline QString Counted(std::int64_t count, const char* one, const char* many) {
    return QStringLiteral("%L1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

#pragma once
// The rules the values of the zip data's tables follow (ZipValue), as the builder checks
// every value it reads.

#include "convert/ZipColumns.h"

#include <optional>
#include <string>
#include <string_view>

// Why the value cannot stand in a column of the rule; nothing when it can.
std::optional<std::string> checkValue(ZipValue rule, std::string_view value);

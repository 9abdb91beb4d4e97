#pragma once
// The program's integer conversion of text: leading blanks, an optional sign
// and decimal digits, or hexadecimal digits after a prefix $, 0x, x or X.
// Nothing may follow the digits (trailing blanks included); an empty text and
// a value outside 32 bits do not convert.

#include <cstdint>
#include <optional>
#include <string_view>

namespace sequara {

std::optional<std::int32_t> ParseInteger(std::string_view text);

// True when text converts.
bool IsIntegerText(std::string_view text);

}  // namespace sequara

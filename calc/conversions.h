// Between text and the program's 16-bit Integers. Failures are RunErrors.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brevorn {

// Reads UTF-8 text as a number and rounds it half-to-even to a 16-bit
// Integer. Raises 13 when the text is not a number, 6 when it is out of range.
std::int16_t textToInteger(std::string_view text);

// Rounds half-to-even to a 16-bit Integer; raises 6 when out of range.
std::int16_t floatToInteger(double value);

// Decimal text: a minus sign when negative, no blanks, no grouping.
std::string integerToText(std::int32_t value);

}  // namespace brevorn

// The arithmetic behind Calculate: fitting a source frame into the 352x240
// VCD frame without losing its proportions. No window, no toolkit.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace brevorn {

// The run-time error numbers the program raises and reports.
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kOutOfMemory = 7;
inline constexpr std::int32_t kDivisionByZero = 11;
inline constexpr std::int32_t kTypeMismatch = 13;
// What any other number is called when nothing better describes it.
inline constexpr std::string_view kApplicationDefinedError =
    "Application-defined or object-defined error";

// A failure that abandons the running command and reaches its error handler.
struct RunError : std::exception {
    RunError(std::int32_t number, std::string description)
        : number(number), description(std::move(description)) {}

    // An error with the standard description of its number.
    explicit RunError(std::int32_t number);

    const char* what() const noexcept override { return description.c_str(); }

    std::int32_t number;
    std::string description;
};

// Reads UTF-8 text as a number and rounds it half-to-even to a 16-bit
// Integer. Raises 13 when the text is not a number, 6 when it is out of range.
std::int16_t textToInteger(std::string_view text);

// Rounds half-to-even to a 16-bit Integer; raises 6 when out of range.
std::int16_t floatToInteger(double value);

// Decimal text: a minus sign when negative, no blanks, no grouping.
std::string integerToText(std::int32_t value);

struct Answer {
    std::int16_t height = 0;
    std::int16_t width = 0;
};

// The picture size that keeps the proportions of a source `hi` high and
// `wi` wide inside the VCD frame. Raises 11 or 6.
Answer letterbox(std::int16_t hi, std::int16_t wi);

// "H=<height>, W=<width>".
std::string answerText(Answer answer);

}  // namespace brevorn

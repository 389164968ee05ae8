// The run-time errors the program raises and reports.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace brevorn {

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

}  // namespace brevorn

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "calc/conversions.h"
#include "calc/run_error.h"

namespace brevorn {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int16_t>::max();

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view takeDigits(std::string_view& text) {
    std::size_t n = 0;
    while (n < text.size() && isDigit(text[n])) {
        ++n;
    }
    const std::string_view digits = text.substr(0, n);
    text.remove_prefix(n);
    return digits;
}

// Rounding goes by the exact decimal digits, so a fraction just above one
// half rounds up however many digits it takes to say so.
bool roundsUp(std::string_view fraction, std::int32_t whole) {
    if (fraction.empty() || fraction.front() < '5') {
        return false;
    }
    if (fraction.front() > '5') {
        return true;
    }
    const bool aboveHalf = fraction.substr(1).find_first_not_of('0') != std::string_view::npos;
    return aboveHalf || whole % 2 != 0;
}

}  // namespace

std::int16_t textToInteger(std::string_view text) {
    std::string_view rest = trimBlanks(text);
    const bool negative = !rest.empty() && rest.front() == '-';
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        rest.remove_prefix(1);
    }
    std::string_view whole = takeDigits(rest);
    std::string_view fraction;
    if (!rest.empty() && rest.front() == '.') {
        rest.remove_prefix(1);
        fraction = takeDigits(rest);
    }
    if (!rest.empty() || (whole.empty() && fraction.empty())) {
        throw RunError(kTypeMismatch);
    }

    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.size() > 5) {
        throw RunError(kOverflow);
    }
    std::int32_t magnitude = 0;
    std::from_chars(whole.data(), whole.data() + whole.size(), magnitude);
    if (roundsUp(fraction, magnitude)) {
        ++magnitude;
    }
    const std::int32_t value = negative ? -magnitude : magnitude;
    if (value < kMin || value > kMax) {
        throw RunError(kOverflow);
    }
    return static_cast<std::int16_t>(value);
}

std::int16_t floatToInteger(double value) {
    double rounded = std::round(value);  // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5) {
        rounded = 2.0 * std::round(value / 2.0);
    }
    // Not De Morgan's form: every comparison with a NaN is false, so this one fails it too.
    if (!(rounded >= kMin && rounded <= kMax)) {  // NOLINT(readability-simplify-boolean-expr)
        throw RunError(kOverflow);
    }
    return static_cast<std::int16_t>(rounded);
}

std::string integerToText(std::int32_t value) {
    return std::to_string(value);
}

}  // namespace brevorn

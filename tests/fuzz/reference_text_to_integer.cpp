#include "reference_text_to_integer.h"

#include <string>

namespace brevorn {
namespace {

// The grammar as a state machine over character classes, so that it shares
// no structure with the trimming parser it checks.
enum class State { Start, Sign, Whole, BarePoint, Fraction, End, Reject };

enum class Kind { Blank, Sign, Digit, Point, Other };

Kind kindOf(char c) {
    switch (c) {
        case ' ':
        case '\t':
            return Kind::Blank;
        case '+':
        case '-':
            return Kind::Sign;
        case '.':
            return Kind::Point;
        default:
            return c >= '0' && c <= '9' ? Kind::Digit : Kind::Other;
    }
}

State next(State state, Kind kind) {
    switch (state) {
        case State::Start:
            return kind == Kind::Blank   ? State::Start
                   : kind == Kind::Sign  ? State::Sign
                   : kind == Kind::Digit ? State::Whole
                   : kind == Kind::Point ? State::BarePoint
                                         : State::Reject;
        case State::Sign:
            return kind == Kind::Digit   ? State::Whole
                   : kind == Kind::Point ? State::BarePoint
                                         : State::Reject;
        case State::Whole:
            return kind == Kind::Digit   ? State::Whole
                   : kind == Kind::Point ? State::Fraction
                   : kind == Kind::Blank ? State::End
                                         : State::Reject;
        case State::BarePoint:  // a point with no digit yet needs one after it
            return kind == Kind::Digit ? State::Fraction : State::Reject;
        case State::Fraction:
            return kind == Kind::Digit   ? State::Fraction
                   : kind == Kind::Blank ? State::End
                                         : State::Reject;
        case State::End:
            return kind == Kind::Blank ? State::End : State::Reject;
        case State::Reject:
            break;
    }
    return State::Reject;
}

// Decimal digit strings, most significant first, compared as whole numbers.
bool exceeds(const std::string& digits, const std::string& limit) {
    if (digits.size() != limit.size()) {
        return digits.size() > limit.size();
    }
    return digits > limit;
}

std::string plusOne(std::string digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return "1" + digits;
}

}  // namespace

Reading referenceTextToInteger(std::string_view text) {
    State state = State::Start;
    bool negative = false;
    std::string whole;
    std::string fraction;
    for (const char c : text) {
        state = next(state, kindOf(c));
        if (state == State::Reject) {
            return {0, 13};
        }
        if (state == State::Sign) {
            negative = c == '-';
        } else if (state == State::Whole) {
            whole += c;
        } else if (state == State::Fraction && c != '.') {
            fraction += c;
        }
    }
    if (state != State::Whole && state != State::Fraction && state != State::End) {
        return {0, 13};
    }

    // Significant digits only: "007.2500" is the whole "7" and the fraction "25".
    whole.erase(0, whole.find_first_not_of('0'));
    fraction.erase(fraction.find_last_not_of('0') + 1);

    // With no trailing zeros, the fraction is one half exactly when it reads
    // "5", and comparing digit strings orders every other fraction against it.
    const bool half = fraction == "5";
    const bool aboveHalf = !half && fraction > "5";
    const bool wholeIsOdd = !whole.empty() && (whole.back() - '0') % 2 == 1;
    if (aboveHalf || (half && wholeIsOdd)) {
        whole = plusOne(whole);
    }

    if (exceeds(whole, negative ? "32768" : "32767")) {
        return {0, 6};
    }
    std::int32_t magnitude = 0;
    for (const char digit : whole) {
        magnitude = magnitude * 10 + (digit - '0');
    }
    return {negative ? -magnitude : magnitude, 0};
}

}  // namespace brevorn

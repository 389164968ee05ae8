#include "calc/letterbox.h"

#include <cmath>

#include "calc/conversions.h"
#include "calc/floating_point_state.h"
#include "calc/run_error.h"

namespace brevorn {
namespace {

// frame / divisor * factor, divided first, as the formulas are written. Read
// and written through volatile, so that the compiler keeps the arithmetic
// inside the floating-point state the caller set for it.
double scale(double frame, std::int16_t divisor, std::int16_t factor) {
    if (divisor == 0) {
        throw RunError(kDivisionByZero);
    }
    const volatile double dividend = frame;
    const volatile double result = dividend / divisor * factor;
    if (!std::isfinite(result)) {
        throw RunError(kOverflow);
    }
    return result;
}

}  // namespace

Answer letterbox(std::int16_t hi, std::int16_t wi) {
    const OwnFloatingPointState state;
    const std::int16_t ho = floatToInteger(scale(kFrame.width, wi, hi));
    const std::int16_t wo = floatToInteger(scale(kFrame.height, hi, wi));

    Answer answer;
    if (wo > kFrame.width) {  // wider than the frame: fill its width
        answer = {ho, kFrame.width};
    }
    if (ho > kFrame.height) {  // taller than the frame: fill its height
        answer = {kFrame.height, wo};
    }
    // Exactly the frame's proportion: the picture already fills the frame.
    // Opposite signs make no picture at all and stay 0x0.
    if (wo <= kFrame.width && ho <= kFrame.height && ho > 0 && wo > 0) {
        answer = {ho, wo};
    }
    return answer;
}

std::string answerText(Answer answer) {
    return "H=" + integerToText(answer.height) + ", W=" + integerToText(answer.width);
}

}  // namespace brevorn

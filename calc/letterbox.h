// The arithmetic behind Calculate: fitting a source frame into the 352x240
// VCD frame without losing its proportions. No window, no toolkit.
#pragma once

#include <cstdint>
#include <string>

namespace brevorn {

struct Answer {
    std::int16_t height = 0;
    std::int16_t width = 0;
};

// The VCD frame, the largest answer.
inline constexpr Answer kFrame{.height = 240, .width = 352};

// The picture size that keeps the proportions of a source `hi` high and
// `wi` wide inside the VCD frame. Raises 11 or 6.
Answer letterbox(std::int16_t hi, std::int16_t wi);

// "H=<height>, W=<width>".
std::string answerText(Answer answer);

}  // namespace brevorn

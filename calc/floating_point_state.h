// The floating-point state an answer depends on, owned by the calculation for
// its own duration: other code in the process (an input method, a printer
// driver, a Direct3D hook) may have left another rounding mode or x87
// precision, and the answers must not change with it.
#pragma once

#include <cfenv>

namespace brevorn {

// Round to nearest and, where doubles are computed on the x87 unit, 53-bit
// precision, so that each + - * / rounds once to a double, as SSE2 does. The
// caller's rounding and precision come back on destruction.
class OwnFloatingPointState {
public:
    OwnFloatingPointState();
    ~OwnFloatingPointState();
    OwnFloatingPointState(const OwnFloatingPointState&) = delete;
    OwnFloatingPointState& operator=(const OwnFloatingPointState&) = delete;

private:
    std::fenv_t caller_{};
    unsigned callerControl_ = 0;  // x87 precision, or on Windows msvcrt's control word
};

}  // namespace brevorn

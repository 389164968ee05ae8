#include "calc/floating_point_state.h"

// The standard library sets the rounding mode but not the x87 precision: these
// few lines are the platform's. x87 arithmetic is what i686 compiles doubles to
// without SSE2 math, and x86-64 with -mfpmath=387.
#if (defined(__i386__) || defined(__x86_64__)) && !defined(__SSE2_MATH__)
#define BREVORN_X87_ARITHMETIC 1
#endif

#if defined(_WIN32)
// msvcrt's _controlfp sets the rounding (and on x86 the precision) of the x87
// unit and of SSE at once. mingw-w64's fenv functions ask the processor (CPUID)
// on every call, which under Wine made each calculation over a hundred times
// slower.
#include <float.h>

namespace {
#if defined(BREVORN_X87_ARITHMETIC) && defined(__i386__)
constexpr unsigned kControl = _MCW_RC | _MCW_PC;
#elif defined(BREVORN_X87_ARITHMETIC)
#error "x87 arithmetic, and no known way to set its precision here"
#else
constexpr unsigned kControl = _MCW_RC;
#endif
}  // namespace

namespace brevorn {

OwnFloatingPointState::OwnFloatingPointState() : callerControl_(_controlfp(0, 0)) {
    _controlfp(_RC_NEAR | _PC_53, kControl);
}

OwnFloatingPointState::~OwnFloatingPointState() {
    _controlfp(callerControl_, kControl);
}

}  // namespace brevorn
#else
#if !defined(BREVORN_X87_ARITHMETIC)
namespace {
constexpr unsigned kDoublePrecision = 0;
unsigned x87Precision() {
    return 0;
}
void setX87Precision(unsigned /*precision*/) {}
}  // namespace
#elif defined(__GLIBC__)
#include <fpu_control.h>

namespace {
constexpr unsigned kDoublePrecision = _FPU_DOUBLE;
constexpr unsigned kPrecisionBits = _FPU_EXTENDED | _FPU_DOUBLE | _FPU_SINGLE;
unsigned x87Precision() {
    fpu_control_t word = 0;
    _FPU_GETCW(word);
    return word & kPrecisionBits;
}
void setX87Precision(unsigned precision) {
    fpu_control_t word = 0;
    _FPU_GETCW(word);
    word = (word & ~kPrecisionBits) | precision;
    _FPU_SETCW(word);
}
}  // namespace
#else
#error "x87 arithmetic, and no known way to set its precision here"
#endif

namespace brevorn {

OwnFloatingPointState::OwnFloatingPointState() : callerControl_(x87Precision()) {
    std::fegetenv(&caller_);
    std::fesetround(FE_TONEAREST);
    setX87Precision(kDoublePrecision);
}

// The environment may not hold the precision (glibc's x86-64 fesetenv keeps
// it), so that goes back on its own.
OwnFloatingPointState::~OwnFloatingPointState() {
    std::fesetenv(&caller_);
    setX87Precision(callerControl_);
}

}  // namespace brevorn
#endif

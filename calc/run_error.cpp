#include "calc/run_error.h"

namespace brevorn {
namespace {

std::string describe(std::int32_t number) {
    switch (number) {
        case kOverflow:
            return "Overflow";
        case kOutOfMemory:
            return "Out of memory";
        case kDivisionByZero:
            return "Division by zero";
        case kTypeMismatch:
            return "Type mismatch";
        default:
            return std::string(kApplicationDefinedError);
    }
}

}  // namespace

RunError::RunError(std::int32_t number) : RunError(number, describe(number)) {}

}  // namespace brevorn

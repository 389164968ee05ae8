// A second, independent reading of number text, slow and plain, to check
// textToInteger against.
#pragma once

#include <cstdint>
#include <string_view>

namespace brevorn {

struct Reading {
    std::int32_t value = 0;
    std::int32_t error = 0;  // the run-time error number, 0 when `value` holds
};

Reading referenceTextToInteger(std::string_view text);

}  // namespace brevorn

// Any byte string must read as the same Integer, or fail with the same error
// number, in textToInteger and in the independent reference reading.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "calc/conversions.h"
#include "calc/run_error.h"
#include "reference_text_to_integer.h"

namespace {

void printEscaped(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '"' && c != '\\') {
            std::fputc(c, stderr);
        } else {
            std::fprintf(stderr, "\\x%02x", byte);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const brevorn::Reading expected = brevorn::referenceTextToInteger(text);
    brevorn::Reading actual;
    try {
        actual.value = brevorn::textToInteger(text);
    } catch (const brevorn::RunError& e) {
        actual.error = e.number;
    }
    if (actual.value != expected.value || actual.error != expected.error) {
        std::fputs("textToInteger(\"", stderr);
        printEscaped(text);
        std::fprintf(stderr, "\") gave %d (error %d), expected %d (error %d)\n", actual.value,
                     actual.error, expected.value, expected.error);
        std::abort();
    }
    return 0;
}

// Every source size in a square of heights and widths, checked against what a
// correct letterbox answer must satisfy. The checks use exact integers and
// never the formulas themselves, so a slip in those formulas shows up here.
// Then every answer over a fixed grid is compared, through one digest, with
// the answers x64 gives, so that every build gives the same answers.
//
// Usage: letterbox_sweep FIRST LAST as-is|hostile
//   heights and widths FIRST..LAST, in the floating-point state the program
//   starts in, or in one other code in the process may leave: rounding toward
//   zero, and the x87 unit at 64-bit precision. Either way the answers are the
//   same, and the calculation leaves the state as it found it.
#include <algorithm>
#include <array>
#include <cfenv>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "calc/letterbox.h"
#include "calc/run_error.h"

namespace brevorn {
namespace {

enum Outcome {
    kFilledHeight,
    kFilledWidth,
    kWholeFrameExact,
    kWholeFrameRounded,
    kOppositeSigns,
    kErrorOverflow,
    kErrorDivision,
    kOutcomes
};

constexpr std::array<const char*, kOutcomes> kOutcomeNames = {
    "filled height (H=240, W<352)",  "filled width (W=352, H<240)",
    "whole frame, exact proportion", "whole frame, proportion rounded",
    "opposite signs, H=0 W=0",       "error 6 (overflow)",
    "error 11 (division by zero)",
};

struct Tally {
    std::array<std::int64_t, kOutcomes> counts{};
    std::vector<std::string> faults;
};

// Whether frame * factor / divisor, rounded half to even, leaves -32768..32767.
// The halves at the edges round to the even neighbour: 32767.5 up to 32768,
// out of range; -32768.5 up to -32768, still in.
bool leavesIntegerRange(std::int64_t frame, std::int64_t factor, std::int64_t divisor) {
    std::int64_t twiceNumerator = 2 * frame * factor;
    if (divisor < 0) {
        twiceNumerator = -twiceNumerator;
        divisor = -divisor;
    }
    return twiceNumerator >= 65535 * divisor || twiceNumerator < -65537 * divisor;
}

// The error number letterbox must raise, or 0. The height formula,
// 352 / wi * hi, is tried before the width formula, 240 / hi * wi.
std::int32_t expectedError(std::int64_t hi, std::int64_t wi) {
    if (wi == 0) {
        return kDivisionByZero;
    }
    if (leavesIntegerRange(kFrame.width, hi, wi)) {
        return kOverflow;
    }
    if (hi == 0) {
        return kDivisionByZero;
    }
    if (leavesIntegerRange(kFrame.height, wi, hi)) {
        return kOverflow;
    }
    return 0;
}

// The outcome of a size that raises no error, or kOutcomes when the answer is
// wrong. A source of one sign must fit the frame, fill it in at least one
// direction, and be within half a pixel of the source's proportion on the
// other side: for a filled height, |W - 240 * w / h| <= 1/2.
Outcome judge(std::int64_t hi, std::int64_t wi, Answer answer) {
    const std::int64_t height = answer.height;
    const std::int64_t width = answer.width;
    if ((hi < 0) != (wi < 0)) {
        return height == 0 && width == 0 ? kOppositeSigns : kOutcomes;
    }
    const std::int64_t h = std::abs(hi);
    const std::int64_t w = std::abs(wi);
    const bool fits = height >= 0 && height <= kFrame.height && width >= 0 && width <= kFrame.width;
    const std::int64_t skew = 2 * (width * h - height * w);
    const bool keepsProportionByHeight = height == kFrame.height && std::abs(skew) <= h;
    const bool keepsProportionByWidth = width == kFrame.width && std::abs(skew) <= w;
    if (!fits || !(keepsProportionByHeight || keepsProportionByWidth)) {
        return kOutcomes;
    }
    if (height == kFrame.height && width == kFrame.width) {
        return kFrame.height * w == kFrame.width * h ? kWholeFrameExact : kWholeFrameRounded;
    }
    return height == kFrame.height ? kFilledHeight : kFilledWidth;
}

std::string describe(int hi, int wi, std::int32_t error, Answer answer, std::int32_t expected) {
    std::string text = "letterbox(" + std::to_string(hi) + ", " + std::to_string(wi) + ") gave ";
    text += error != 0 ? "error " + std::to_string(error) : answerText(answer);
    text += expected != 0 ? ", expected error " + std::to_string(expected) : "";
    return text;
}

void sweepRows(int first, int last, int row, int stride, Tally& tally) {
    constexpr std::size_t kFaultsShown = 20;
    for (int hi = row; hi <= last; hi += stride) {
        for (int wi = first; wi <= last; ++wi) {
            const std::int32_t expected = expectedError(hi, wi);
            Answer answer;
            std::int32_t error = 0;
            try {
                answer = letterbox(static_cast<std::int16_t>(hi), static_cast<std::int16_t>(wi));
            } catch (const RunError& e) {
                error = e.number;
            }
            Outcome outcome = kOutcomes;
            if (error == expected) {
                outcome = error == 0           ? judge(hi, wi, answer)
                          : error == kOverflow ? kErrorOverflow
                                               : kErrorDivision;
            }
            if (outcome == kOutcomes) {
                if (tally.faults.size() < kFaultsShown) {
                    tally.faults.push_back(describe(hi, wi, error, answer, expected));
                }
                continue;
            }
            ++tally.counts[outcome];
        }
    }
}

// Heights 1..kGridHeights and widths 1..kGridWidths: where 32-bit x86's default
// x87 arithmetic, in extended precision, gave 117 answers other than x64's
// (H=60 for H=61), and where the checks above accept both, as the two sit
// within half a pixel of the proportion.
constexpr int kGridHeights = 2500;
constexpr int kGridWidths = 3000;
// What x64 answers over the grid, and so every build must. An intended change
// of the answers changes it too: the sweep prints the new value.
constexpr std::uint64_t kGridDigest = 0x6e7d880120b07973;

// FNV-1a over the error number, height and width of every size in the grid,
// row by row, each value as four little-endian bytes.
std::uint64_t gridDigest() {
    std::uint64_t digest = 0xcbf29ce484222325;
    const auto fold = [&digest](std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            digest = (digest ^ ((bits >> shift) & 0xff)) * 0x100000001b3;
        }
    };
    for (int hi = 1; hi <= kGridHeights; ++hi) {
        for (int wi = 1; wi <= kGridWidths; ++wi) {
            Answer answer;
            std::int32_t error = 0;
            try {
                answer = letterbox(static_cast<std::int16_t>(hi), static_cast<std::int16_t>(wi));
            } catch (const RunError& e) {
                error = e.number;
            }
            fold(error);
            fold(answer.height);
            fold(answer.width);
        }
    }
    return digest;
}

// Rounding toward zero on x87 and SSE alike (fesetround sets both), and the
// x87 precision and the SSE control bits, read from the registers themselves.
struct FloatingPointState {
    int rounding = 0;
    unsigned x87Control = 0;
    unsigned sseControl = 0;
    bool operator==(const FloatingPointState&) const = default;
};

FloatingPointState currentState() {
    FloatingPointState state{std::fegetround()};
#if defined(__i386__) || defined(__x86_64__)
    std::uint16_t x87 = 0;
    std::uint32_t sse = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(x87));
    __asm__ __volatile__("stmxcsr %0" : "=m"(sse));
    state.x87Control = x87;
    constexpr std::uint32_t kSseFlags = 0x3f;
    state.sseControl = sse & ~kSseFlags;
#endif
    return state;
}

void makeHostile() {
    std::fesetround(FE_TOWARDZERO);
#if defined(__i386__) || defined(__x86_64__)
    constexpr std::uint16_t kX87Precision64 = 0x300;
    std::uint16_t x87 = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(x87));
    x87 |= kX87Precision64;
    __asm__ __volatile__("fldcw %0" : : "m"(x87));
#endif
}

// Runs `work` on this thread in the state asked for; false when the state
// was not taken, or the calculation did not leave it as it found it.
template <typename Work>
bool inState(bool hostile, Work work) {
    if (hostile) {
        makeHostile();
    }
    const FloatingPointState before = currentState();
    if (hostile && before.rounding != FE_TOWARDZERO) {
        return false;
    }
    work();
    return currentState() == before;
}

bool parseSize(std::string_view text, int& size) {
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), size);
    return status == std::errc{} && end == text.data() + text.size() && size >= -32768 &&
           size <= 32767;
}

}  // namespace
}  // namespace brevorn

int main(int argc, char** argv) {
    int first = 0;
    int last = 0;
    const std::string_view state = argc == 4 ? argv[3] : "";
    if (argc != 4 || !brevorn::parseSize(argv[1], first) || !brevorn::parseSize(argv[2], last) ||
        first > last || (state != "as-is" && state != "hostile")) {
        std::fputs("usage: letterbox_sweep FIRST LAST as-is|hostile\n", stderr);
        return 2;
    }
    const bool hostile = state == "hostile";

    // Two threads take alternate heights, which spreads the slow rows evenly.
    constexpr int kThreads = 2;
    // The state is each thread's own.
    std::array<brevorn::Tally, kThreads> tallies;
    std::array<bool, kThreads> stateKept{};
    std::vector<std::thread> threads;
    threads.reserve(kThreads);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            stateKept[t] = brevorn::inState(
                hostile, [&] { brevorn::sweepRows(first, last, first + t, kThreads, tallies[t]); });
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }

    const std::int64_t sizes = std::int64_t{last} - first + 1;
    std::printf("letterbox over heights and widths %d..%d, %lld pairs:\n", first, last,
                static_cast<long long>(sizes) * sizes);
    std::int64_t faults = sizes * sizes;
    for (int outcome = 0; outcome < brevorn::kOutcomes; ++outcome) {
        std::int64_t count = 0;
        for (const auto& tally : tallies) {
            count += tally.counts[outcome];
        }
        faults -= count;
        std::printf("  %-34s %10lld\n", brevorn::kOutcomeNames[outcome],
                    static_cast<long long>(count));
    }
    std::printf("  %-34s %10lld\n", "wrong answers", static_cast<long long>(faults));
    for (const auto& tally : tallies) {
        for (const auto& fault : tally.faults) {
            std::printf("    %s\n", fault.c_str());
        }
    }

    std::uint64_t digest = 0;
    const bool kept = brevorn::inState(hostile, [&] { digest = brevorn::gridDigest(); }) &&
                      std::ranges::find(stateKept, false) == stateKept.end();
    std::printf("floating-point state %s: %s\n", hostile ? "hostile" : "as the program starts",
                kept ? "taken, and left as it was" : "NOT taken, or changed by the calculation");
    std::printf("answers over heights 1..%d and widths 1..%d: digest %016llx, x64's %016llx\n",
                brevorn::kGridHeights, brevorn::kGridWidths,
                static_cast<unsigned long long>(digest),
                static_cast<unsigned long long>(brevorn::kGridDigest));
    if (digest != brevorn::kGridDigest) {
        std::puts("  some answers differ from x64's: is the arithmetic IEEE double?");
    }
    return faults == 0 && digest == brevorn::kGridDigest && kept ? EXIT_SUCCESS : EXIT_FAILURE;
}

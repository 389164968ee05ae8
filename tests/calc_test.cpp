#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc/conversions.h"
#include "calc/letterbox.h"
#include "calc/run_error.h"

namespace brevorn {
namespace {

struct TextCase {
    std::string text;
    int expected;  // the Integer, or the error number when `error` is set
    bool error = false;
};

class TextToInteger : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextToInteger, ReadsNumbersRoundsHalfToEvenAndRejectsTheRest) {
    const TextCase& c = GetParam();
    if (c.error) {
        try {
            textToInteger(c.text);
            FAIL() << "no error for \"" << c.text << '"';
        } catch (const RunError& e) {
            EXPECT_EQ(e.number, c.expected) << '"' << c.text << '"';
        }
    } else {
        EXPECT_EQ(textToInteger(c.text), c.expected) << '"' << c.text << '"';
    }
}

TextCase err(std::string text, int number) {
    return {std::move(text), number, true};
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, TextToInteger,
    ::testing::Values(TextCase{"480", 480}, TextCase{"-480", -480}, TextCase{"+7", 7},
                      TextCase{"0", 0}, TextCase{"-0", 0}, TextCase{"007", 7}, TextCase{"12.", 12},
                      TextCase{".5", 0}, TextCase{"1.5", 2}, TextCase{"12.5", 12},
                      TextCase{"13.5", 14}, TextCase{"-12.5", -12}, TextCase{"-13.5", -14},
                      TextCase{"12.49999", 12}, TextCase{"12.51", 13},
                      TextCase{"12.5000000000000000001", 13}, TextCase{"12.5000000", 12},
                      TextCase{"32767", 32767}, TextCase{"-32768", -32768},
                      TextCase{"32767.4999", 32767}, TextCase{"-32768.5", -32768},
                      TextCase{"00000000000000000000032767", 32767}, TextCase{" 42 ", 42},
                      TextCase{"\t-42\t", -42}));

INSTANTIATE_TEST_SUITE_P(
    Errors, TextToInteger,
    ::testing::Values(err("", 13), err(" ", 13), err("\t \t", 13), err("abc", 13), err("12abc", 13),
                      err("abc12", 13), err("+", 13), err("-", 13), err(".", 13), err("-.", 13),
                      err("1.2.3", 13), err("1 2", 13), err("--1", 13), err("+-1", 13),
                      err("- 1", 13), err("1e3", 13), err("1,000", 13), err("12,5", 13),
                      err("0x10", 13), err("\xd9\xa3", 13), err(std::string("1\0", 2), 13),
                      err("1\n", 13), err("\n1", 13), err("32768", 6), err("-32769", 6),
                      err("32767.5", 6), err("-32768.51", 6), err("40000", 6), err("100000", 6),
                      err(std::string(100, '9'), 6), err("-" + std::string(100, '9'), 6),
                      err(std::string(100, '9') + "x", 13)));

TEST(TextToInteger, MegabyteOfTextIsAnsweredWithoutTrouble) {
    EXPECT_EQ(textToInteger(std::string(1 << 20, '0') + "12.5" + std::string(1 << 20, '0')), 12);
    const std::string digits(1 << 20, '7');
    EXPECT_THROW(textToInteger(digits), RunError);
}

TEST(FloatToInteger, RoundsHalfToEvenWithinRange) {
    const std::pair<double, int> cases[] = {
        {16.5, 16},        {17.5, 18},         {-16.5, -16},       {-17.5, -18}, {234.67, 235},
        {426.666, 427},    {16.49999, 16},     {0.5, 0},           {-0.5, 0},    {32767.0, 32767},
        {32767.49, 32767}, {-32768.0, -32768}, {-32768.5, -32768}, {1e-300, 0},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(floatToInteger(value), expected) << value;
    }
    for (const double value :
         {32767.5, -32768.51, 352000.0, -1e300, HUGE_VAL, -HUGE_VAL, double{NAN}}) {
        EXPECT_THROW(floatToInteger(value), RunError) << value;
    }
}

TEST(IntegerToText, PlainDecimal) {
    EXPECT_EQ(integerToText(0), "0");
    EXPECT_EQ(integerToText(-32768), "-32768");
    EXPECT_EQ(integerToText(1234567), "1234567");
    EXPECT_EQ(integerToText(INT32_MIN), "-2147483648");
}

struct SizeCase {
    int hi, wi;
    std::string expected;  // answer text, or "error N"
};

std::string outcome(int hi, int wi) {
    try {
        return answerText(letterbox(static_cast<std::int16_t>(hi), static_cast<std::int16_t>(wi)));
    } catch (const RunError& e) {
        return "error " + std::to_string(e.number);
    }
}

TEST(Letterbox, AnswersForKnownSources) {
    const SizeCase cases[] = {
        {480, 640, "H=240, W=320"},  // 4:3 fills the height
        {480, 720, "H=235, W=352"},  // wider: fills the width
        {1080, 1920, "H=198, W=352"},
        {576, 720, "H=240, W=300"},
        {3, 64, "H=16, W=352"},  // Ho = 16.5 rounds to even
        {1, 1, "H=240, W=240"},
        {241, 352, "H=240, W=351"},
        {-480, -640, "H=240, W=320"},
        // Opposite signs make no picture.
        {-480, 640, "H=0, W=0"},
        {480, -640, "H=0, W=0"},
        // The frame's own proportion fills the frame rather than giving 0x0.
        {240, 352, "H=240, W=352"},
        {15, 22, "H=240, W=352"},
        {480, 704, "H=240, W=352"},
        {28, 41, "H=240, W=351"},
        {-240, -352, "H=240, W=352"},
        // Each step rounded to a double: 352 / 320, a little above 1.1, times 55 lands just
        // above 60.5; 240 / 352 * 11 just below 7.5. Extended precision gives 60 and 8.
        {55, 320, "H=61, W=352"},
        {352, 11, "H=240, W=7"},
        // Errors: a zero divisor first, then a result out of range.
        {480, 0, "error 11"},
        {-5, 0, "error 11"},
        {0, 5, "error 11"},
        {0, 0, "error 11"},
        {1000, 1, "error 6"},
        {1, 1000, "error 6"},
        {32767, 1, "error 6"},
        {-32768, -32768, "H=240, W=240"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(outcome(c.hi, c.wi), c.expected) << c.hi << " x " << c.wi;
    }
}

}  // namespace
}  // namespace brevorn

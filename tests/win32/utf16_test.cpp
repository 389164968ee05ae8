#include "window/win32/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Both {
    std::string utf8;
    std::wstring utf16;
};

// What a box may hold: ASCII, digits of other scripts, characters beyond the
// basic plane (a surrogate pair) and a NUL, which is text like any other here.
const Both kAlike[] = {
    {"", L""},
    {"H=240, W=320", L"H=240, W=320"},
    {"\xd9\xa4\xd9\xa8\xd9\xa0", L"\u0664\u0668\u0660"},
    {"48\xf0\x9f\x8e\xac", L"48\U0001F3AC"},
    {std::string("1\0"
                 "9",
                 3),
     std::wstring(L"1\0"
                  L"9",
                  3)},
};

TEST(Utf16, ConvertsBothWays) {
    for (const Both& text : kAlike) {
        EXPECT_EQ(brevorn::toUtf8(text.utf16), text.utf8);
        EXPECT_EQ(brevorn::toUtf16(text.utf8), text.utf16);
    }
}

TEST(Utf16, LoneSurrogateBecomesReplacementCharacter) {
    EXPECT_EQ(brevorn::toUtf8(std::wstring{L'4', wchar_t{0xD83C}, L'8'}),
              "4\xef\xbf\xbd"
              "8");
}

}  // namespace

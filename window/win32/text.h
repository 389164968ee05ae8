// The commands speak UTF-8; Windows speaks UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace brevorn {

std::wstring toUtf16(std::string_view text);
std::string toUtf8(std::wstring_view text);

}  // namespace brevorn

#pragma once

#include <QString>
#include <string_view>

namespace brevorn {

// The form's texts are plain ASCII.
inline QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace brevorn

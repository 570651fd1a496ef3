#pragma once
// Core text is UTF-8 std::string; windows convert it to QString at their boundary.
#include <QString>
#include <string_view>

namespace kelmaz {

inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace kelmaz

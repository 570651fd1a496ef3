#include "base/PadField.h"

namespace kelmaz {

std::string PadField(std::string_view value, int width) {
    if (width <= 0) return {};
    const auto w = static_cast<std::size_t>(width);
    if (value.size() >= w) return std::string(value.substr(0, w));
    return std::string(w - value.size(), ' ') + std::string(value);
}

std::string PadField(long long value, int width) { return PadField(std::to_string(value), width); }

}  // namespace kelmaz

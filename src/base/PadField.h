#pragma once
#include <string>
#include <string_view>

namespace kelmaz {

// Right-aligns a text in a field of `width` characters; a longer text is cut to its first
// `width` characters. Numbers are written without a leading blank.
std::string PadField(std::string_view value, int width);
std::string PadField(long long value, int width);

}  // namespace kelmaz

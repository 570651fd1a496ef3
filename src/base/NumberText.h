#pragma once
// Numbers as record files write them: decimal text, optionally signed, with an optional
// fraction and exponent, blanks around it allowed. Nothing else counts as a number.
#include <cstdint>
#include <optional>
#include <string_view>

namespace kelmaz {

std::optional<double> parseNumber(std::string_view text);

// The number rounded half to even into the 16-bit range; nothing when the text is not a number
// or the rounded value does not fit.
std::optional<std::int16_t> parseInt16(std::string_view text);

// Trims spaces and tabs from both ends.
std::string_view trimBlanks(std::string_view text);

}  // namespace kelmaz

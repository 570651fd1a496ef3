#pragma once
// Numbers as the program writes and reads them in boxes and on command lines.
#include <optional>
#include <string>
#include <string_view>

namespace kelmaz {

// The classic number-to-text form: a blank in front of a non-negative number (" 5", "-5").
std::string classicNumber(long long value);

// The number at the start of a typed text, after leading blanks: an optional sign and the
// digits that follow; whatever comes after them is ignored ("12abc" gives 12). Empty when the
// text starts with no digit. The value saturates instead of overflowing.
std::optional<long long> leadingNumber(std::string_view text);

}  // namespace kelmaz

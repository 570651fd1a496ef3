#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

// Lines of a text; CR LF, LF and CR all end a line, and text after the last line end is a
// line of its own.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace kelmaz

#pragma once
// SGF property values as stored in a file and as shown to the user. In a file a "\" takes the
// character after it literally, so "\]" is a bracket inside the value and "\\" a backslash;
// a "\" before a line break joins the two lines. Every text written into a value goes through
// escapeSgfValue, and every value shown or edited goes through unescapeSgfValue.
#include <string>
#include <string_view>

namespace kelmaz {

std::string escapeSgfValue(std::string_view text);
std::string unescapeSgfValue(std::string_view value);

}  // namespace kelmaz

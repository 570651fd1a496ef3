#pragma once
// Conversion between the program's UTF-8 text and the CP932 bytes that travel on a match
// connection. Both directions always produce text: what cannot be converted is replaced
// visibly ("?" towards the peer, U+FFFD towards the program) instead of being dropped.
#include <string>
#include <string_view>

namespace kelmaz {

std::string toWire(std::string_view utf8);
std::string fromWire(std::string_view cp932);

}  // namespace kelmaz

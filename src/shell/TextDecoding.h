#pragma once
// Turns the bytes of a text file into UTF-8: a byte-order mark (UTF-8, UTF-16LE, UTF-16BE)
// decides; else bytes that are valid UTF-8 stay as they are; anything else is read as CP932.
// Bytes that cannot be decoded become U+FFFD, so no byte is ever dropped silently.
#include <string>
#include <string_view>

namespace kelmaz {

bool isValidUtf8(std::string_view bytes);

// Converts bytes in `charset` (an iconv name) to UTF-8, replacing what cannot be decoded.
// Returns false (and leaves `out` empty) when iconv does not know the charset.
bool convertToUtf8(std::string_view bytes, const char* charset, std::string& out);

std::string decodeTextFile(std::string_view bytes);

}  // namespace kelmaz

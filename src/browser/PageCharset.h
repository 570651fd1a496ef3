#pragma once
// Which charset a fetched web page declares for itself.
#include <string>
#include <string_view>

namespace kelmaz {

// The charset named by the charset parameter of an HTTP Content-Type value, else by a meta tag
// in the page's first kilobytes (<meta charset=...> or <meta http-equiv=... content="...;
// charset=...">). Empty when neither names one.
std::string declaredPageCharset(std::string_view contentType, std::string_view pageBytes);

}  // namespace kelmaz

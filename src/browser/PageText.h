#pragma once
// Record lines from raw bytes: a page fetched from the web and the browser's address file.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

// The lines of a fetched page. A byte-order mark decides the charset; else the charset that
// the server's Content-Type or the page's meta tag names, when it is one the system knows;
// else the page is decoded as a record file is.
std::vector<std::string> pageRecordLines(std::string_view bytes, std::string_view contentType);

// The lines of "kelmazhml.ini" in the first of the folders that holds a readable one; empty
// when none does. Every line counts, blank ones included.
std::vector<std::string> readAddressFile(const std::vector<std::filesystem::path>& folders);

inline constexpr const char* kAddressFileName = "kelmazhml.ini";

}  // namespace kelmaz

#include "base/NumberText.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace kelmaz {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
constexpr std::size_t kMaxNumberLength = 64;
}  // namespace

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::optional<double> parseNumber(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty() || text.size() > kMaxNumberLength) return std::nullopt;
    // Check the shape first: strtod alone would also take "inf", "nan" and hex numbers.
    std::size_t p = 0;
    if (text[p] == '+' || text[p] == '-') ++p;
    std::size_t digits = 0;
    while (p < text.size() && isDigit(text[p])) ++p, ++digits;
    if (p < text.size() && text[p] == '.') {
        ++p;
        while (p < text.size() && isDigit(text[p])) ++p, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
        ++p;
        if (p < text.size() && (text[p] == '+' || text[p] == '-')) ++p;
        std::size_t expDigits = 0;
        while (p < text.size() && isDigit(text[p])) ++p, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (p != text.size()) return std::nullopt;
    const std::string copy(text);
    const double value = std::strtod(copy.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int16_t> parseInt16(std::string_view text) {
    const auto value = parseNumber(text);
    if (!value) return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

}  // namespace kelmaz

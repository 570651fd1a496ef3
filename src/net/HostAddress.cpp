#include "net/HostAddress.h"

#include <charconv>

namespace kelmaz {
namespace {

std::string_view trimmed(std::string_view text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<int> parsePort(std::string_view text) {
    text = trimmed(text);
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1 || value > 65535)
        return std::nullopt;
    return value;
}

HostAddress parseHostAddress(std::string_view text, int defaultPort) {
    text = trimmed(text);
    HostAddress address{std::string(text), defaultPort};
    std::string_view host = text, portText;
    if (text.starts_with('[')) {
        std::size_t close = text.find(']');
        if (close == std::string_view::npos) return address;
        host = text.substr(1, close - 1);
        std::string_view rest = text.substr(close + 1);
        if (rest.starts_with(':')) portText = rest.substr(1);
    } else {
        std::size_t colon = text.find(':');
        // More than one ":" is a bare IPv6 address without a port.
        if (colon == std::string_view::npos || text.find(':', colon + 1) != std::string_view::npos)
            return address;
        host = text.substr(0, colon);
        portText = text.substr(colon + 1);
    }
    address.host = std::string(host);
    if (auto port = parsePort(portText)) address.port = *port;
    return address;
}

}  // namespace kelmaz

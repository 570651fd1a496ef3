#pragma once
// The peer named in the host box: a host name or address, optionally followed by ":port"
// ("[address]:port" for an IPv6 address with a port).
#include <optional>
#include <string>
#include <string_view>

namespace kelmaz {

inline constexpr int kDefaultMatchPort = 1002;

struct HostAddress {
    std::string host;
    int port = kDefaultMatchPort;
};

// The port written in a settings value or after a host: 1..65535, else nothing.
std::optional<int> parsePort(std::string_view text);

// Splits the host box's text; without a valid port of its own, `defaultPort` is used.
HostAddress parseHostAddress(std::string_view text, int defaultPort);

}  // namespace kelmaz

// Reading the peer's host and port from the host box and the listening port from settings.
#include <gtest/gtest.h>

#include "net/HostAddress.h"

namespace kelmaz {
namespace {

TEST(HostAddressTest, HostWithAndWithoutPort) {
    struct Case {
        const char* text;
        const char* host;
        int port;
    };
    for (auto [text, host, port] :
         {Case{"127.0.0.1:5000", "127.0.0.1", 5000}, Case{" go.example.jp ", "go.example.jp", 1002},
          Case{"go.example.jp:", "go.example.jp", 1002}, Case{"host:99999", "host", 1002},
          Case{"host:12ab", "host", 1002}, Case{"::1", "::1", 1002},
          Case{"[::1]:4000", "::1", 4000}, Case{"[::1", "[::1", 1002},
          Case{"none", "none", 1002}}) {
        HostAddress address = parseHostAddress(text, 1002);
        EXPECT_EQ(address.host, host) << text;
        EXPECT_EQ(address.port, port) << text;
    }
}

TEST(HostAddressTest, PortSetting) {
    EXPECT_EQ(parsePort("1002"), 1002);
    EXPECT_EQ(parsePort(" 65535 "), 65535);
    EXPECT_FALSE(parsePort("0"));
    EXPECT_FALSE(parsePort("65536"));
    EXPECT_FALSE(parsePort("-1"));
    EXPECT_FALSE(parsePort("port"));
    EXPECT_FALSE(parsePort(""));
}

}  // namespace
}  // namespace kelmaz

#include <gtest/gtest.h>

#include "base/TerminalText.h"

namespace kelmaz {
namespace {

TEST(TerminalText, ControlCharactersCannotReachTheTerminal) {
    const struct {
        std::string_view text, shown;
    } rows[] = {
        {"\x1b]0;title\x07", "\\x1B]0;title\\x07"},  // sets the window title
        {"\x1b[2J", "\\x1B[2J"},                     // clears the screen
        {"a\rb\x7f", "a\\x0Db\\x7F"},
        {"\xc2\x9b"
         "2J",
         "\\x9B2J"},  // C1 CSI
        {std::string_view("\0z", 2), "\\x00z"},
        {"tab\tand\nline", "tab\tand\nline"},
        {"黒\xc2\xa0白 é", "黒\xc2\xa0白 é"},  // a no-break space is text
    };
    for (const auto& row : rows) EXPECT_EQ(terminalSafeText(row.text), row.shown) << row.shown;
}

}  // namespace
}  // namespace kelmaz

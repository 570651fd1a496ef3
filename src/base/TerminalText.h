#pragma once
// Text bound for a terminal. A record's values are untrusted: an ESC or BEL in a label or a
// player's name would otherwise set the terminal's title, move its cursor or clear it.
#include <string>
#include <string_view>

namespace kelmaz {

// `text` (UTF-8) with every control character other than TAB and LF written as "\xHH": the
// C0 codes, DEL, and the C1 codes U+0080..U+009F (which some terminals obey like ESC
// sequences), the latter by their code point.
std::string terminalSafeText(std::string_view text);

}  // namespace kelmaz

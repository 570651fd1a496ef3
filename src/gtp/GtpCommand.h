#pragma once
// The engine command line a computer game starts with when the user has not named one.
#include <string>
#include <string_view>

namespace kelmaz {

// GNU Go in GTP mode, found on `searchPath` (a PATH value) or in /usr/games, where Debian
// installs it and which root's PATH leaves out; named by its absolute path so that the
// command works whatever the PATH of the program. Without gnugo anywhere the bare name is
// given, so that starting it says what is missing.
std::string defaultGtpCommand(std::string_view searchPath);

}  // namespace kelmaz

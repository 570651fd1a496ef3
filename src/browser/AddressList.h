#pragma once
// The browser's list of known addresses: the lines of the address file, the built-in record
// pages and the starting page, and then every page shown, the most recent first.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

class AddressList {
  public:
    // The list never grows past this; the oldest entries at the bottom give way.
    static constexpr std::size_t kMaxEntries = 100;

    // The list as the window opens: the address file's lines in order (blank ones included),
    // then the built-in addresses, then the starting address when there is one. File lines
    // that would crowd out the built-in addresses are left out.
    static AddressList initial(const std::vector<std::string>& fileLines,
                               const std::vector<std::string>& builtIns,
                               const std::string& startingAddress);

    // A page was shown: its address moves to the top, or is inserted there when new. Every
    // equal entry further down is removed, so an address is never listed twice.
    void shown(std::string_view address);

    const std::vector<std::string>& entries() const { return entries_; }

  private:
    std::vector<std::string> entries_;
};

}  // namespace kelmaz

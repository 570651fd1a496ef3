#include "browser/AddressList.h"

#include <algorithm>

namespace kelmaz {

AddressList AddressList::initial(const std::vector<std::string>& fileLines,
                                 const std::vector<std::string>& builtIns,
                                 const std::string& startingAddress) {
    AddressList list;
    const std::size_t fixed = builtIns.size() + (startingAddress.empty() ? 0 : 1);
    const std::size_t room = kMaxEntries > fixed ? kMaxEntries - fixed : 0;
    const std::size_t fromFile = std::min(room, fileLines.size());
    list.entries_.assign(fileLines.begin(), fileLines.begin() + fromFile);
    for (const std::string& address : builtIns) {
        if (list.entries_.size() < kMaxEntries) list.entries_.push_back(address);
    }
    if (!startingAddress.empty() && list.entries_.size() < kMaxEntries) {
        list.entries_.push_back(startingAddress);
    }
    return list;
}

void AddressList::shown(std::string_view address) {
    std::erase(entries_, address);
    entries_.emplace(entries_.begin(), address);
    if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
}

}  // namespace kelmaz

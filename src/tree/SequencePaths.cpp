#include "tree/SequencePaths.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

#include "tree/SgfLex.h"

namespace kelmaz {

namespace {

std::string trimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::vector<OutlineLine> parseAll(const std::vector<std::string>& List3) {
    std::vector<OutlineLine> lines;
    lines.reserve(List3.size());
    for (const auto& l : List3) lines.push_back(parseOutlineLine(l));
    return lines;
}

// Where the main line that starts at `start` ends, and at which lines its nesting levels
// begin. The line leaves off where its level falls, or where a "--" line opens a sibling at
// the same or a shallower level than the line before it.
struct MainLineWalk {
    std::size_t end = 0;
    std::vector<std::pair<std::size_t, int>> levelStarts;  // (line index, level)
};

MainLineWalk walkMainLine(const std::vector<OutlineLine>& lines, std::size_t start) {
    MainLineWalk walk;
    int previous = -1;
    int n = 0;
    std::size_t i = start;
    for (; i < lines.size(); ++i) {
        if (lines[i].kind != OutlineLine::Kind::Branch) n = lines[i].number;
        if (n < previous) break;
        // The "--" line at `start` opens the line itself; only later ones open siblings.
        if (i > start + 1 && lines[i - 1].kind == OutlineLine::Kind::Branch && previous >= n) break;
        if (previous != -1 && previous < n) walk.levelStarts.emplace_back(i, n);
        previous = n;
    }
    walk.end = i;
    return walk;
}

// Where the main line's nesting levels start: slot n holds the number the line's next move
// gets where level n begins (levels beyond the slots, or past the record's last move, none).
std::array<std::int16_t, kBranchSlots + 1> levelStartsOfMainLine(
    const std::vector<OutlineLine>& lines) {
    std::array<std::int16_t, kBranchSlots + 1> starts{};
    const MainLineWalk walk = walkMainLine(lines, 0);
    auto levelStart = walk.levelStarts.begin();
    int moves = 0;
    for (std::size_t i = 0; i < walk.end && moves < kMaxMoves; ++i) {
        if (levelStart != walk.levelStarts.end() && levelStart->first == i) {
            if (levelStart->second <= kBranchSlots)
                starts[levelStart->second] = static_cast<std::int16_t>(moves + 1);
            ++levelStart;
        }
        if (lines[i].kind == OutlineLine::Kind::Move) ++moves;
    }
    return starts;
}

}  // namespace

OutlineLine parseOutlineLine(const std::string& line) {
    OutlineLine out;
    const std::string head = trimBlanks(line.substr(0, 3));
    int number = 0;
    const auto [ptr, ec] = std::from_chars(head.data(), head.data() + head.size(), number);
    if (ec == std::errc() && ptr == head.data() + head.size() && number > 0) out.number = number;
    if (line.size() < 5) return out;
    if (line.compare(3, 2, "--") == 0) {
        out.kind = OutlineLine::Kind::Branch;
        return out;
    }
    // The property is named as the reader names it: "B", "Black" and "nolowerW" are all B. A
    // move counts whatever its value (an empty or odd one is a pass); setup stones take no move
    // number.
    const std::size_t open = line.find('[', 3);
    if (open == std::string::npos) return out;
    std::string ident;
    for (std::size_t i = 3; i < open; ++i)
        if (std::isalpha(static_cast<unsigned char>(line[i]))) ident.push_back(line[i]);
    if (!ident.empty() && sgfscan::isMoveProperty(sgfscan::canonicalName(ident)))
        out.kind = OutlineLine::Kind::Move;
    return out;
}

const ViewerBranch* BranchTable::find(int number) const {
    const auto it = std::lower_bound(branches.begin(), branches.end(), number,
                                     [](const ViewerBranch& b, int n) { return b.number < n; });
    return it != branches.end() && it->number == number ? &*it : nullptr;
}

std::vector<int> BranchTable::branchesAt(int move) const {
    std::vector<int> found;
    if (move < 1) return found;
    for (const auto& b : branches) {
        const ViewerBranch* parent = find(b.parent);
        if (b.startMove == move && (parent == nullptr || parent->onMainLine))
            found.push_back(b.number);
    }
    return found;
}

BranchTable ReadNode(const std::vector<std::string>& List3) {
    BranchTable table;
    const auto lines = parseAll(List3);
    const auto isBranch = [&](std::size_t i) { return lines[i].kind == OutlineLine::Kind::Branch; };

    // The main line from line 0; "--" lines directly before the line where it leaves off open
    // the sibling that ends it.
    std::size_t mainEnd = walkMainLine(lines, 0).end;
    while (mainEnd > 0 && isBranch(mainEnd - 1)) --mainEnd;

    std::array<int, kMaxNestingLevel + 1> lastAtLevel{};
    int k = 0;
    int tooDeep = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!isBranch(i)) continue;
        ++k;
        // A branch's level is that of the first line after it that opens no branch itself.
        std::size_t first = i + 1;
        while (first < lines.size() && isBranch(first)) ++first;
        const int level = first < lines.size() ? lines[first].number : 0;
        if (level > kMaxNestingLevel) {
            ++tooDeep;
            continue;
        }
        ViewerBranch b;
        b.number = k;
        b.level = level;
        b.line = i;
        for (std::size_t j = i + 1; j < lines.size() && !isBranch(j); ++j)
            if (lines[j].kind == OutlineLine::Kind::Move) ++b.moves;
        // The parent is the last branch opened at a shallower level; deeper ones are closed.
        for (int up = level - 1; up >= 0 && b.parent == 0; --up) b.parent = lastAtLevel[up];
        lastAtLevel[level] = k;
        std::fill(lastAtLevel.begin() + level + 1, lastAtLevel.end(), 0);
        b.onMainLine = i < mainEnd;

        int before = 0;
        for (const ViewerBranch* up = table.find(b.parent); up != nullptr;
             up = table.find(up->parent)) {
            b.path.insert(b.path.begin(), up->number);
            before += up->moves;
        }
        b.path.push_back(k);
        b.startMove = b.moves > 0 ? before + 1 : 0;
        table.branches.push_back(std::move(b));
    }
    table.mainLineBranchMoves = levelStartsOfMainLine(lines);
    if (tooDeep > 0)
        table.notices.push_back("入れ子が" + std::to_string(kMaxNestingLevel + 1) +
                                "段を超える分岐" + std::to_string(tooDeep) +
                                "個は表示できません。");
    return table;
}

}  // namespace kelmaz

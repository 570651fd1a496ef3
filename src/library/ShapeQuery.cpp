#include "library/ShapeQuery.h"

#include <algorithm>
#include <tuple>

#include "library/Symmetry.h"

namespace kelmaz::library {

namespace {

std::optional<int> coordinate(char c) {
    if (c >= 'a' && c < 'a' + kLines) return c - 'a';
    return std::nullopt;
}

std::optional<Want> want(char c) {
    switch (c) {
        case 'X':
            return Want::Black;
        case 'O':
            return Want::White;
        case '.':
            return Want::Empty;
        case '*':
            return Want::Any;
        default:
            return std::nullopt;
    }
}

bool sameCells(const ShapeImage& a, const ShapeImage& b) {
    auto key = [](const ShapeCell& c) { return std::tuple(c.dy, c.dx, c.state); };
    return a.width == b.width && a.height == b.height && a.fixedLeft == b.fixedLeft &&
           a.fixedTop == b.fixedTop &&
           std::equal(a.cells.begin(), a.cells.end(), b.cells.begin(), b.cells.end(),
                      [&](const ShapeCell& x, const ShapeCell& y) { return key(x) == key(y); });
}

}  // namespace

std::optional<Pattern> parsePattern(const std::string& text, std::string& error) {
    error = "the pattern is REGION:POINTS, e.g. aa:cc:X.O.*.O..";
    if (text.size() < 7 || text[2] != ':' || text[5] != ':') return std::nullopt;
    const auto c1 = coordinate(text[0]), r1 = coordinate(text[1]);
    const auto c2 = coordinate(text[3]), r2 = coordinate(text[4]);
    if (!c1 || !r1 || !c2 || !r2) {
        error = "the region's corners are SGF points of the 19-line board, aa to ss";
        return std::nullopt;
    }
    Pattern p;
    p.left = std::min(*c1, *c2);
    p.top = std::min(*r1, *r2);
    p.width = std::abs(*c1 - *c2) + 1;
    p.height = std::abs(*r1 - *r2) + 1;
    const std::string points = text.substr(6);
    if (points.size() != static_cast<std::size_t>(p.width * p.height)) {
        error = "the region has " + std::to_string(p.width * p.height) + " points, the pattern " +
                std::to_string(points.size());
        return std::nullopt;
    }
    for (const char c : points) {
        const auto w = want(c);
        if (!w) {
            error = std::string("a point is X, O, . or *, not ") + c;
            return std::nullopt;
        }
        p.points.push_back(*w);
    }
    error.clear();
    return p;
}

Pattern positionPattern(const std::array<PointState, kPoints>& board) {
    Pattern p{0, 0, kLines, kLines, {}};
    for (const PointState s : board) p.points.push_back(static_cast<Want>(s));
    return p;
}

Pattern positionPattern(const GameState& state) {
    std::array<PointState, kPoints> board{};
    for (int p = 0; p < kPoints; ++p) {
        const int cell = state.BoardGrid[p % kLines + 1][p / kLines + 1];
        board[p] = cell == kBlack + 1   ? PointState::Black
                   : cell == kWhite + 1 ? PointState::White
                                        : PointState::Empty;
    }
    return positionPattern(board);
}

ShapeQuery makeQuery(const Pattern& pattern, const SearchOptions& options) {
    ShapeQuery query;
    query.pattern = pattern;
    query.fullBoard = pattern.width == kLines && pattern.height == kLines &&
                      std::none_of(pattern.points.begin(), pattern.points.end(),
                                   [](Want w) { return w == Want::Any; });
    if (query.fullBoard) {
        PositionHash hash;
        for (int p = 0; p < kPoints; ++p) {
            const Want w = pattern.points[p];
            if (w == Want::Empty) continue;
            hash.toggle(p, static_cast<PointState>(w));
            ++query.stones;
        }
        query.canonicalHash = hash.canonical();
    }
    for (int s = 0; s < (options.symmetries ? kSymmetries : 1); ++s) {
        for (int swap = 0; swap < (options.colourSwap ? 2 : 1); ++swap) {
            ShapeImage image;
            image.symmetry = s;
            image.swapped = swap == 1;
            image.width = (s & 4) ? pattern.height : pattern.width;
            image.height = (s & 4) ? pattern.width : pattern.height;
            if (!options.anywhere) {
                // The board's own symmetry carries the region to where the image stands.
                const Transformed a = transformPoint(s, kLines, kLines, pattern.left, pattern.top);
                const Transformed b =
                    transformPoint(s, kLines, kLines, pattern.left + pattern.width - 1,
                                   pattern.top + pattern.height - 1);
                image.fixedLeft = std::min(a.x, b.x);
                image.fixedTop = std::min(a.y, b.y);
            }
            for (int y = 0; y < pattern.height; ++y) {
                for (int x = 0; x < pattern.width; ++x) {
                    const Want w = pattern.points[y * pattern.width + x];
                    if (w == Want::Any) continue;
                    auto state = static_cast<PointState>(w);
                    if (image.swapped) state = opposite(state);
                    const Transformed t = transformPoint(s, pattern.width, pattern.height, x, y);
                    image.cells.push_back(
                        {static_cast<std::int8_t>(t.x), static_cast<std::int8_t>(t.y), state});
                }
            }
            if (options.anywhere && !image.cells.empty()) {
                int minX = image.width, minY = image.height, maxX = 0, maxY = 0;
                for (const ShapeCell& c : image.cells) {
                    minX = std::min<int>(minX, c.dx), maxX = std::max<int>(maxX, c.dx);
                    minY = std::min<int>(minY, c.dy), maxY = std::max<int>(maxY, c.dy);
                }
                for (ShapeCell& c : image.cells) {
                    c.dx = static_cast<std::int8_t>(c.dx - minX);
                    c.dy = static_cast<std::int8_t>(c.dy - minY);
                }
                image.cutLeft = minX;
                image.cutTop = minY;
                image.width = maxX - minX + 1;
                image.height = maxY - minY + 1;
            }
            image.grid.assign(static_cast<std::size_t>(image.width * image.height), -1);
            for (const ShapeCell& c : image.cells)
                image.grid[c.dy * image.width + c.dx] = static_cast<std::int8_t>(c.state);
            std::sort(image.cells.begin(), image.cells.end(),
                      [](const ShapeCell& a, const ShapeCell& b) {
                          return std::tuple(a.dy, a.dx) < std::tuple(b.dy, b.dx);
                      });
            for (const ShapeCell& c : image.cells) {
                image.cellsByState[static_cast<int>(c.state)].push_back(c);
                if (c.state != PointState::Empty) ++image.stones;
            }
            const bool known =
                std::any_of(query.images.begin(), query.images.end(),
                            [&](const ShapeImage& i) { return sameCells(i, image); });
            if (!known) query.images.push_back(std::move(image));
        }
    }
    return query;
}

}  // namespace kelmaz::library

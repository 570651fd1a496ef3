#pragma once
// The figures of `diagram` as pictures: a PDF of every figure, or one figure as SVG or PNG.
// They are painted by the board window's own painting, so a build without Qt (the core-only
// build) makes none.
#include <optional>
#include <string>
#include <vector>

#include "diagram/Figures.h"
#include "diagram/LineOfPlay.h"

namespace kelmaz::cli {

// pdf, svg and png.
bool pictureFormatKnown(const std::string& format);

// The bytes of the file; nothing when it cannot be made. `figure` (from 0) picks the figure of
// an SVG or PNG.
std::optional<std::string> figurePictureBytes(const std::string& format, const LineOfPlay& line,
                                              const std::vector<Figure>& figures,
                                              std::size_t figure);

}  // namespace kelmaz::cli

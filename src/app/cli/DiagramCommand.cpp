// diagram: the record as numbered figures, as text, PDF, SVG or PNG.
#include <algorithm>
#include <iostream>
#include <optional>

#include "app/cli/CliCommands.h"
#include "app/cli/DiagramPictures.h"
#include "base/AtomicFile.h"
#include "diagram/FigureText.h"
#include "diagram/Figures.h"
#include "diagram/RecordLine.h"
#include "records/SgfWriter.h"

namespace kelmaz::cli {

namespace {

std::optional<int> wholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int n = std::stoi(text);
    return n >= 1 ? std::optional<int>(n) : std::nullopt;
}

struct DiagramRequest {
    std::string in, out;
    std::size_t game = 1;
    FigureOptions figures;
    std::string format;  // empty: by the output's suffix, txt when it names none
    int figure = 0;      // 0: every figure
};

std::optional<DiagramRequest> parseRequest(const Args& given) {
    Args args = given;
    DiagramRequest request;
    const std::optional<std::size_t> game = takeGameOption(args);
    if (!game) return std::nullopt;
    request.game = *game;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--restart-numbers") {
            request.figures.restartNumbers = true;
        } else if (a == "--moves-per-figure" && hasValue) {
            const auto n = wholeNumber(args[++i]);
            if (!n) return std::nullopt;
            request.figures.movesPerFigure = *n;
        } else if (a == "--break" && hasValue) {
            std::string list = args[++i] + ",";
            for (std::size_t comma; (comma = list.find(',')) != std::string::npos;) {
                const auto n = wholeNumber(list.substr(0, comma));
                if (!n) return std::nullopt;
                request.figures.firstMoves.push_back(*n);
                list.erase(0, comma + 1);
            }
        } else if (a == "--format" && hasValue) {
            request.format = args[++i];
            if (request.format != "txt" && !pictureFormatKnown(request.format)) return std::nullopt;
        } else if (a == "--figure" && hasValue) {
            const auto n = wholeNumber(args[++i]);
            if (!n) return std::nullopt;
            request.figure = *n;
        } else if (a == "--out" && hasValue) {
            request.out = args[++i];
        } else if (request.in.empty() && !a.starts_with("--")) {
            request.in = a;
        } else {
            return std::nullopt;
        }
    }
    if (request.in.empty() || request.out.empty()) return std::nullopt;
    if (request.format.empty()) {
        const std::size_t dot = request.out.rfind('.');
        const std::string suffix = dot == std::string::npos ? "" : request.out.substr(dot + 1);
        request.format = pictureFormatKnown(suffix) ? suffix : "txt";
    }
    return request;
}

}  // namespace

int diagramCommand(const Args& args) {
    const std::optional<DiagramRequest> request = parseRequest(args);
    if (!request) return kExitUsage;
    ToolRecord record;
    if (const auto failed = readOrFail(request->in, record, request->game)) return *failed;
    const LineOfPlay line = lineOfRecord(record.state);
    std::vector<Figure> figures = buildFigures(line, request->figures);
    std::optional<std::size_t> only;
    if (request->figure > 0) {
        if (std::size_t(request->figure) > figures.size()) {
            std::cerr << "kelmaz-cli: the record gives " << figures.size() << " figures\n";
            return kExitUsage;
        }
        only = std::size_t(request->figure - 1);
    }

    std::string bytes;
    if (request->format == "txt") {
        bytes = only ? figureText(figures[*only], *only, line.boardSize)
                     : figuresText(figures, line.boardSize);
    } else {
        const std::optional<std::string> picture =
            figurePictureBytes(request->format, line, figures, only.value_or(0));
        if (!picture) {
            std::cerr << "kelmaz-cli: " << request->format << " cannot be made here\n";
            return kExitRecordError;
        }
        bytes = *picture;
    }
    const bool written = request->out == "-" ? bool(std::cout << bytes << std::flush)
                                             : writeFileAtomically(request->out, bytes);
    if (written) return kExitOk;
    std::cerr << kWriteErrorMessage << '\n';
    return kExitRecordError;
}

}  // namespace kelmaz::cli

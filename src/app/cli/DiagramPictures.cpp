#include "app/cli/DiagramPictures.h"

#if KELMAZ_CLI_PICTURES
#include <QApplication>
#include <cstdio>

#include "diagram/ui/FigureBook.h"
#endif

namespace kelmaz::cli {

bool pictureFormatKnown(const std::string& format) {
    return format == "pdf" || format == "svg" || format == "png";
}

std::optional<std::string> figurePictureBytes(const std::string& format, const LineOfPlay& line,
                                              const std::vector<Figure>& figures,
                                              std::size_t figure) {
#if KELMAZ_CLI_PICTURES
    // The board painting belongs to a widget, which needs an application object; the tool
    // shows nothing, so it needs no screen, whatever the display variables say.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error holds the tool's own messages, not the toolkit's notes about its setting.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(text));
    });
    int argc = 1;
    char name[] = "kelmaz-cli";
    char* argv[] = {name, nullptr};
    const QApplication application(argc, argv);
    const FigureBook book(line, figures, PrintLayout{});
    const QByteArray bytes = format == "pdf"   ? figuresPdf(book)
                             : format == "svg" ? figureSvg(book, figure)
                                               : figurePng(book, figure);
    if (bytes.isEmpty()) return std::nullopt;
    return std::string(bytes.constData(), std::size_t(bytes.size()));
#else
    (void)format, (void)line, (void)figures, (void)figure;
    return std::nullopt;
#endif
}

}  // namespace kelmaz::cli

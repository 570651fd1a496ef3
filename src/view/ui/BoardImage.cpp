#include "view/ui/BoardImage.h"

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "base/AtomicFile.h"
#include "view/ui/BoardView.h"

namespace kelmaz {

namespace {

const QString kTitle = QStringLiteral("盤面を画像で保存");
const QString kPngFilter = QStringLiteral("PNG 画像 (*.png)");
const QString kSvgFilter = QStringLiteral("SVG 図 (*.svg)");

// A PNG drawn at screen resolution would be a small picture for a printed page; it is drawn at
// least this many times larger, which keeps every line as sharp as the vector drawing.
constexpr double kMinimumPngRatio = 3.0;

// Asks for the picture's file until the user picks one to write or gives up (empty). A name
// typed without a suffix takes the suffix of the chosen type before the overwrite question,
// so the question is asked about the file that would really be replaced.
QString askImagePath(QWidget* parent) {
    QFileDialog dialog(parent, kTitle);
    dialog.setObjectName(QStringLiteral("BoardImageFile"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({kPngFilter, kSvgFilter});
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(QStringLiteral("board.png"));
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        QString path = dialog.selectedFiles().front();
        if (QFileInfo(path).suffix().isEmpty())
            path += dialog.selectedNameFilter() == kSvgFilter ? QStringLiteral(".svg")
                                                              : QStringLiteral(".png");
        if (!QFileInfo::exists(path)) return path;
        const auto answer = QMessageBox::question(
            parent, kTitle,
            QStringLiteral("%1 は既にあります。\n上書きしますか?").arg(QFileInfo(path).fileName()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer == QMessageBox::Yes) return path;
    }
}

}  // namespace

BoardImageFormat boardImageFormatFor(const QString& path) {
    return QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0
               ? BoardImageFormat::Svg
               : BoardImageFormat::Png;
}

bool saveBoardImage(const GameState& state, const BoardOptions& options, QSize boardSize,
                    bool moveNumbers, const QString& path, BoardImageFormat format,
                    double pixelRatio) {
    if (boardSize.isEmpty()) return false;
    // A board view of its own paints the picture: the one on the window keeps its numbers
    // setting and its blinking marker.
    BoardOptions drawn = options;
    drawn.showNumbers = moveNumbers;
    BoardView view(state, drawn);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(boardSize);

    // The picture is made in memory first: the generator reports no write errors, and the file
    // is then written whole or not at all.
    QBuffer picture;
    picture.open(QIODevice::WriteOnly);
    if (format == BoardImageFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&picture);
        svg.setSize(boardSize);
        svg.setViewBox(QRect(QPoint(0, 0), boardSize));
        svg.setTitle(QStringLiteral("Kelmaz 碁盤"));
        svg.setDescription(QString::fromStdString(state.WindowTitle));
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        view.render(&painter);
        painter.end();
    } else {
        const double ratio = std::max(pixelRatio, kMinimumPngRatio);
        QImage image(QSize(int(std::ceil(boardSize.width() * ratio)),
                           int(std::ceil(boardSize.height() * ratio))),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            view.render(&painter);
        }
        if (!image.save(&picture, "PNG")) return false;
    }
    const QByteArray bytes = picture.data();
    return writeFileAtomically(QFile::encodeName(path).toStdString(),
                               std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

void saveBoardImageInteractively(QWidget* parent, const GameState& state,
                                 const BoardOptions& options, QSize boardSize) {
    const QString path = askImagePath(parent);
    if (path.isEmpty()) return;

    const auto answer =
        QMessageBox::question(parent, kTitle, QStringLiteral("石に手数の番号を付けますか?"),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                              options.showNumbers ? QMessageBox::Yes : QMessageBox::No);
    if (answer == QMessageBox::Cancel) return;

    const double ratio = parent ? parent->devicePixelRatioF() : 1.0;
    if (!saveBoardImage(state, options, boardSize, answer == QMessageBox::Yes, path,
                        boardImageFormatFor(path), ratio))
        QMessageBox::warning(parent, kTitle,
                             QStringLiteral("画像を保存できませんでした。\n") + path);
}

}  // namespace kelmaz

#include "diagram/ui/FomPrint.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/AtomicFile.h"
#include "diagram/RecordLine.h"

namespace kelmaz {

namespace {

const QString kTitle = QStringLiteral("棋譜の印刷");
// The preview draws a page this many pixels wide.
constexpr int kPreviewWidth = 520;

// The whole numbers of a list such as "1, 51 120"; what is not a number is passed over.
std::vector<int> numbersOf(const QString& text) {
    std::vector<int> numbers;
    static const QRegularExpression separators(QStringLiteral("[^0-9]+"));
    for (const QString& part : text.split(separators, Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = part.toInt(&ok);
        if (ok && n >= 1) numbers.push_back(n);
    }
    return numbers;
}

// A page of the book as a picture `width` pixels wide.
QImage pageImage(const FigureBook& book, int page, int width) {
    const QPageLayout layout = book.pageLayout();
    const QSizeF paperMm = layout.fullRect(QPageLayout::Millimeter).size();
    const double perMm = width / paperMm.width();
    QImage image(QSize(width, int(paperMm.height() * perMm)), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(perMm * 1000));
    image.setDotsPerMeterY(int(perMm * 1000));
    image.fill(Qt::white);
    QPainter painter(&image);
    const QRectF inside = layout.paintRect(QPageLayout::Millimeter);
    book.paintPage(painter,
                   QRectF(inside.left() * perMm, inside.top() * perMm, inside.width() * perMm,
                          inside.height() * perMm),
                   page);
    return image;
}

}  // namespace

FomPrint::FomPrint(const GameState& state, const BoardOptions& options, QWidget* parent)
    : QDialog(parent), state_(state), options_(options) {
    setObjectName(QStringLiteral("FomPrint"));
    setWindowTitle(kTitle);
    buildControls();
}

FomPrint::~FomPrint() = default;

void FomPrint::buildControls() {
    CmbPaper = new QComboBox(this);
    CmbPaper->setObjectName(QStringLiteral("CmbPaper"));
    CmbPaper->addItem(QStringLiteral("A4"), int(QPageSize::A4));
    CmbPaper->addItem(QStringLiteral("B5"), int(QPageSize::JisB5));
    SpnPerPage = new QSpinBox(this);
    SpnPerPage->setObjectName(QStringLiteral("SpnPerPage"));
    SpnPerPage->setRange(1, 3);
    SpnPerPage->setValue(2);
    CmbMoves = new QComboBox(this);
    CmbMoves->setObjectName(QStringLiteral("CmbMoves"));
    for (int n : {100, 50, 25}) CmbMoves->addItem(QStringLiteral("%1手").arg(n), n);
    TxtBreaks = new QLineEdit(this);
    TxtBreaks->setObjectName(QStringLiteral("TxtBreaks"));
    TxtBreaks->setPlaceholderText(QStringLiteral("例: 1,51,120"));
    ChkRestart = new QCheckBox(QStringLiteral("各図1から"), this);
    ChkRestart->setObjectName(QStringLiteral("ChkRestart"));
    ChkCoordinates = new QCheckBox(QStringLiteral("座標を表示"), this);
    ChkCoordinates->setObjectName(QStringLiteral("ChkCoordinates"));
    SpnFigure = new QSpinBox(this);
    SpnFigure->setObjectName(QStringLiteral("SpnFigure"));
    SpnFigure->setPrefix(QStringLiteral("第"));
    SpnFigure->setSuffix(QStringLiteral("譜"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("用紙"), CmbPaper);
    form->addRow(QStringLiteral("1ページの図数"), SpnPerPage);
    form->addRow(QStringLiteral("1図の手数"), CmbMoves);
    form->addRow(QStringLiteral("図の始まる手"), TxtBreaks);
    form->addRow(ChkRestart);
    form->addRow(ChkCoordinates);

    auto* savePdf = new QPushButton(QStringLiteral("PDFに保存"), this);
    savePdf->setObjectName(QStringLiteral("CmdPdf"));
    auto* print = new QPushButton(QStringLiteral("印刷"), this);
    print->setObjectName(QStringLiteral("CmdPrint"));
    auto* saveImage = new QPushButton(QStringLiteral("画像で保存"), this);
    saveImage->setObjectName(QStringLiteral("CmdImage"));
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("CmdClose"));
    auto* buttons = new QVBoxLayout;
    buttons->addLayout(form);
    buttons->addSpacing(12);
    buttons->addWidget(savePdf);
    buttons->addWidget(print);
    auto* image = new QHBoxLayout;
    image->addWidget(SpnFigure);
    image->addWidget(saveImage, 1);
    buttons->addLayout(image);
    buttons->addStretch(1);
    buttons->addWidget(close);

    Preview = new QScrollArea(this);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->setWidgetResizable(true);
    Preview->setMinimumWidth(kPreviewWidth + 40);
    PreviewPages = new QWidget;
    PreviewPages->setBackgroundRole(QPalette::Dark);
    PreviewPages->setAutoFillBackground(true);
    PreviewLayout = new QVBoxLayout(PreviewPages);
    PreviewLayout->setAlignment(Qt::AlignHCenter);
    Preview->setWidget(PreviewPages);

    auto* top = new QHBoxLayout(this);
    top->addLayout(buttons);
    top->addWidget(Preview, 1);
    resize(860, 720);

    connect(CmbPaper, &QComboBox::currentIndexChanged, this, &FomPrint::rebuild);
    connect(SpnPerPage, &QSpinBox::valueChanged, this, &FomPrint::rebuild);
    connect(CmbMoves, &QComboBox::currentIndexChanged, this, &FomPrint::rebuild);
    connect(TxtBreaks, &QLineEdit::editingFinished, this, &FomPrint::rebuild);
    connect(ChkRestart, &QCheckBox::toggled, this, &FomPrint::rebuild);
    connect(ChkCoordinates, &QCheckBox::toggled, this, &FomPrint::rebuild);
    connect(savePdf, &QPushButton::clicked, this, &FomPrint::askAndSavePdf);
    connect(print, &QPushButton::clicked, this, &FomPrint::print);
    connect(saveImage, &QPushButton::clicked, this, &FomPrint::askAndSaveImage);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
}

void FomPrint::showFromMenu() {
    rebuild();
    show();
    raise();
    activateWindow();
}

FigureOptions FomPrint::figureOptions() const {
    FigureOptions figures;
    figures.movesPerFigure = CmbMoves->currentData().toInt();
    figures.firstMoves = numbersOf(TxtBreaks->text());
    figures.restartNumbers = ChkRestart->isChecked();
    return figures;
}

void FomPrint::rebuild() {
    LineOfPlay line = lineOfRecord(state_);
    std::vector<Figure> figures = buildFigures(line, figureOptions());
    PrintLayout layout;
    layout.paper = QPageSize::PageSizeId(CmbPaper->currentData().toInt());
    layout.figuresPerPage = SpnPerPage->value();
    layout.coordinates = ChkCoordinates->isChecked();
    layout.digitLabels = options_.digitLabels;
    book_ = std::make_unique<FigureBook>(std::move(line), std::move(figures), layout);
    SpnFigure->setRange(1, int(book_->figures().size()));
    showPreview();
}

void FomPrint::showPreview() {
    while (QLayoutItem* item = PreviewLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const double ratio = devicePixelRatioF();
    for (int page = 0; page < book_->pageCount(); ++page) {
        QImage image = pageImage(*book_, page, int(kPreviewWidth * ratio));
        image.setDevicePixelRatio(ratio);
        auto* label = new QLabel(PreviewPages);
        label->setPixmap(QPixmap::fromImage(image));
        label->setAccessibleName(QStringLiteral("%1ページ").arg(page + 1));
        PreviewLayout->addWidget(label);
    }
}

int FomPrint::previewPages() const { return PreviewLayout->count(); }

bool FomPrint::writeFile(const QString& path, const QByteArray& bytes, const QString& title) {
    if (!bytes.isEmpty() &&
        writeFileAtomically(QFile::encodeName(path).toStdString(),
                            std::string_view(bytes.constData(), std::size_t(bytes.size()))))
        return true;
    dialogs_->inform(title, QStringLiteral("ファイルを保存できませんでした。\n") + path);
    return false;
}

bool FomPrint::savePdf(const QString& path) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QByteArray pdf = figuresPdf(*book_);
    QGuiApplication::restoreOverrideCursor();
    return writeFile(path, pdf, QStringLiteral("PDFに保存"));
}

bool FomPrint::saveImage(const QString& path) {
    const std::size_t figure = std::size_t(SpnFigure->value() - 1);
    const bool svg =
        QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0;
    return writeFile(path, svg ? figureSvg(*book_, figure) : figurePng(*book_, figure),
                     QStringLiteral("画像で保存"));
}

void FomPrint::askAndSavePdf() {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("PDFに保存"), QStringLiteral("kifu.pdf"),
                                     QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty()) savePdf(path);
}

void FomPrint::askAndSaveImage() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("画像で保存"), QStringLiteral("figure%1.png").arg(SpnFigure->value()),
        QStringLiteral("PNG 画像 (*.png);;SVG 図 (*.svg)"));
    if (!path.isEmpty()) saveImage(path);
}

void FomPrint::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(book_->pageLayout());
    printer.setDocName(kTitle);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    if (dialog.exec() != QDialog::Accepted) return;
    if (!book_->paintPages(printer))
        dialogs_->inform(QStringLiteral("印刷"), QStringLiteral("印刷できませんでした。"));
}

}  // namespace kelmaz

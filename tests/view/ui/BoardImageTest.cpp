// The board saved as a picture: PNG and SVG, painted like the window, with or without numbers;
// failed saves, and the file dialog's suffix and overwrite question.
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTimer>
#include <csignal>
#include <functional>

#include "support/ProgramFixture.h"
#include "view/ui/BoardImage.h"

namespace kelmaz {
namespace {

// While it lives, no file this process writes can grow past the given size; the write that
// would pass it fails instead of ending the process.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

class BoardImageTest : public test::ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        start();
        clickPoint(4, 4);    // black 1
        clickPoint(16, 16);  // white 2
    }
    QString file(const char* name) { return QString::fromStdString(dir_.file(name).string()); }
    bool save(const QString& path, bool numbers, double ratio = 1.0) {
        return saveBoardImage(state(), program().options(), board().size(), numbers, path,
                              boardImageFormatFor(path), ratio);
    }
    // The colour at the board point (col, row) of a picture of the board.
    QColor colourAt(const QImage& image, int col, int row) {
        const QPoint p = pointAt(col, row);
        const double sx = double(image.width()) / board().width();
        const double sy = double(image.height()) / board().height();
        return image.pixelColor(qRound(p.x() * sx), qRound(p.y() * sy));
    }
    // Runs the save command and answers the modal windows it opens, one step each, in order;
    // a step returns false while the window on top is not the one it expects. A window left
    // over after the steps (or after ten seconds) is closed, so a fault fails instead of hanging.
    using Step = std::function<bool(QWidget*)>;
    void saveInteractively(const std::vector<Step>& steps) {
        std::size_t next = 0;
        QElapsedTimer clock;
        clock.start();
        QTimer timer;
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            QWidget* top = QApplication::activeModalWidget();
            if (top == nullptr) return;
            if (next < steps.size() && clock.elapsed() < 10000) {
                if (steps[next](top)) ++next;
            } else {
                top->close();
            }
        });
        timer.start();
        saveBoardImageInteractively(&main(), state(), program().options(), board().size());
        EXPECT_EQ(next, steps.size()) << "not every expected window came up";
    }
    Step chooseFile(const char* typed, bool svg = false) {
        return [this, typed, svg](QWidget* top) {
            auto* dialog = qobject_cast<QFileDialog*>(top);
            if (dialog == nullptr) return false;
            dialog->setDirectory(QString::fromStdString(dir_.path().string()));
            if (svg) dialog->selectNameFilter(dialog->nameFilters().last());
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (name == nullptr) return false;
            // Typing replaces any file the folder view selected (the suggested name, once the
            // folder has loaded); selectFile does that without the keyboard focus a typing user
            // has.
            dialog->selectFile(QString::fromUtf8(typed));
            name->setText(QString::fromUtf8(typed));  // as typed into the name box
            static_cast<QDialog*>(dialog)->accept();  // public on the base class
            return true;
        };
    }
    static Step cancelFileDialog() {
        return [](QWidget* top) {
            auto* dialog = qobject_cast<QFileDialog*>(top);
            if (dialog == nullptr) return false;
            dialog->reject();
            return true;
        };
    }
    // Answers the question whose text contains `text`.
    static Step answer(const QString& text, QMessageBox::StandardButton button) {
        return [text, button](QWidget* top) {
            auto* box = qobject_cast<QMessageBox*>(top);
            if (box == nullptr || !box->text().contains(text)) return false;
            box->button(button)->click();
            return true;
        };
    }
    QImage renderSvg(const QString& path) {
        QSvgRenderer svg(path);
        EXPECT_TRUE(svg.isValid());
        QImage image(board().size() * 2, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        svg.render(&painter);
        return image;
    }
};

TEST_F(BoardImageTest, PngShowsTheStonesAtAPrintableSize) {
    ASSERT_TRUE(save(file("board.png"), false));
    const QImage image(file("board.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), board().width() * 3);
    EXPECT_EQ(image.height(), board().height() * 3);
    EXPECT_LT(colourAt(image, 4, 4).lightness(), 60) << "black stone";
    EXPECT_GT(colourAt(image, 16, 16).lightness(), 200) << "white stone";
    // Half a line apart from a crossing lies the bare board.
    const QPoint bare = pointAt(10, 4) + QPoint(board().pitch() / 30, board().pitch() / 30);
    const QColor empty = image.pixelColor(bare * 3);
    const QColor boardColour = QColor::fromRgb(program().options().boardColour());
    EXPECT_LT(std::abs(empty.hue() - boardColour.hue()), 10) << "the board's own colour";
}

TEST_F(BoardImageTest, MoveNumbersAreDrawnOnlyWhenAsked) {
    ASSERT_TRUE(save(file("plain.png"), false));
    ASSERT_TRUE(save(file("numbered.png"), true));
    EXPECT_LT(colourAt(QImage(file("plain.png")), 4, 4).lightness(), 60);
    EXPECT_NE(QImage(file("plain.png")), QImage(file("numbered.png")));
    EXPECT_FALSE(program().options().showNumbers) << "the window keeps its own setting";
}

TEST_F(BoardImageTest, SvgIsAValidDrawingOfTheSameBoard) {
    ASSERT_TRUE(save(file("board.svg"), false));
    ASSERT_TRUE(save(file("numbered.SVG"), true));
    QFile text(file("board.svg"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(text.readAll().contains("<svg"));
    const QImage plain = renderSvg(file("board.svg"));
    EXPECT_LT(colourAt(plain, 4, 4).lightness(), 60);
    EXPECT_GT(colourAt(plain, 16, 16).lightness(), 200);
    EXPECT_NE(plain, renderSvg(file("numbered.SVG")));
}

TEST_F(BoardImageTest, AFileThatCannotBeWrittenIsReportedAsNotSaved) {
    EXPECT_FALSE(save(file("missing-folder/board.png"), false));
    EXPECT_FALSE(save(file("missing-folder/board.svg"), false));
    EXPECT_FALSE(QFile::exists(file("missing-folder/board.svg")));
}

TEST_F(BoardImageTest, AFailedSaveOverAnOlderFileIsReportedAndKeepsThatFile) {
    const QDir folder(QString::fromStdString(dir_.path().string()));
    auto filesNamed = [&folder](const char* name) {
        return folder.entryList({QString::fromUtf8(name) + '*'}, QDir::Files | QDir::Hidden).size();
    };
    for (const char* name : {"older.svg", "older.png"}) {
        test::writeBytes(dir_.file(name), "older picture");
        {
            // Only the first bytes of any file fit, as on a disk that fills up while writing.
            const FileSizeLimit full(64);
            EXPECT_FALSE(save(file(name), false)) << name;
        }
        EXPECT_EQ(test::readBytes(dir_.file(name)), "older picture") << name;
        EXPECT_EQ(filesNamed(name), 1) << "no half-written file left beside " << name;
    }
    // With room enough the older picture is replaced.
    ASSERT_TRUE(save(file("older.png"), false));
    EXPECT_FALSE(QImage(file("older.png")).isNull());
    EXPECT_EQ(filesNamed("older.png"), 1);
}

TEST_F(BoardImageTest, ANameTypedWithoutASuffixIsAskedAboutBeforeItsFileIsReplaced) {
    test::writeBytes(dir_.file("board.png"), "older picture");
    test::writeBytes(dir_.file("board.svg"), "older drawing");

    // Declining the question keeps the older file; the file dialog comes back for another name.
    saveInteractively({chooseFile("board"),
                       answer(QStringLiteral("board.png は既にあります。"), QMessageBox::No),
                       cancelFileDialog()});
    EXPECT_EQ(test::readBytes(dir_.file("board.png")), "older picture");

    // With the SVG type chosen the typed name becomes board.svg, and that is the file replaced.
    saveInteractively({chooseFile("board", true),
                       answer(QStringLiteral("board.svg は既にあります。"), QMessageBox::Yes),
                       answer(QStringLiteral("番号"), QMessageBox::No)});
    EXPECT_TRUE(test::readBytes(dir_.file("board.svg")).find("<svg") != std::string::npos);
    EXPECT_EQ(test::readBytes(dir_.file("board.png")), "older picture");

    // A new name is written without a question.
    saveInteractively({chooseFile("fresh"), answer(QStringLiteral("番号"), QMessageBox::Yes)});
    EXPECT_FALSE(QImage(file("fresh.png")).isNull());
}

TEST(BoardImageFormat, FollowsTheSuffix) {
    EXPECT_EQ(boardImageFormatFor(QStringLiteral("a.svg")), BoardImageFormat::Svg);
    EXPECT_EQ(boardImageFormatFor(QStringLiteral("図.SVG")), BoardImageFormat::Svg);
    EXPECT_EQ(boardImageFormatFor(QStringLiteral("a.png")), BoardImageFormat::Png);
    EXPECT_EQ(boardImageFormatFor(QStringLiteral("a.svg.png")), BoardImageFormat::Png);
    EXPECT_EQ(boardImageFormatFor(QStringLiteral("board")), BoardImageFormat::Png);
}

TEST_F(BoardImageTest, TheOptionsMenuOffersTheCommand) {
    auto* action = main().findChild<QAction*>(QStringLiteral("mImage"));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("盤面を画像で保存"));
}

}  // namespace
}  // namespace kelmaz

#include "app/RecordIntake.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>

#include "app/Program.h"
#include "browser/ClipboardLines.h"
#include "intake/RecordCheck.h"
#include "intake/RecordCollection.h"
#include "intake/RecordFormat.h"
#include "records/RecordFile.h"
#include "records/ui/FomGames.h"
#include "view/ui/FomMain.h"

namespace kelmaz {

namespace {

void showReadMessage(Program& program, const std::string& text) {
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Kelmaz"),
                                QString::fromStdString(text), QMessageBox::Ok, &program.fomMain());
    box->setObjectName(QStringLiteral("RecordReadFailed"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace

void readRecordFileIntoBoard(Program& program, const QString& path) {
    // The file is read before the board is cleared, so a file that cannot be read costs nothing.
    std::optional<RecordCollection> file =
        loadRecordCollection(QFile::encodeName(path).toStdString());
    if (!file) {
        showReadMessage(program, std::string(kReadErrorMessage));
        return;
    }
    if (!file->holdsSeveralGames()) {
        if (takeRecordLinesIntoBoard(program, allRecordLines(*file))) program.setRecordFile(path);
        return;
    }
    chooseGame(
        &program.fomMain(), std::move(*file),
        [&program, path](std::vector<std::string> lines, const RecordCollection& read,
                         std::size_t game) {
            if (!takeRecordLinesIntoBoard(program, std::move(lines))) return;
            program.shownCollection().opened(read.text, static_cast<int>(game) - 1);
            program.setRecordFile(path);
        },
        [&program](const std::string& message) { showReadMessage(program, message); });
}

bool readGameIntoBoard(Program& program, const std::string& path, std::size_t game) {
    const std::optional<RecordCollection> file = loadRecordCollection(path);
    if (!file) {
        showReadMessage(program, std::string(kReadErrorMessage));
        return false;
    }
    GameLines lines = collectionGameLines(*file, game);
    if (!lines.message.empty()) {
        showReadMessage(program, lines.message);
        return false;
    }
    if (!takeRecordLinesIntoBoard(program, std::move(lines.lines))) return false;
    program.setRecordFile(QString::fromStdString(path));
    // Saved later, the game goes back into its collection, as one chosen in the file window.
    if (file->holdsSeveralGames())
        program.shownCollection().opened(file->text, static_cast<int>(game) - 1);
    return true;
}

bool readNextCollectionGame(Program& program) {
    ShownCollection& shown = program.shownCollection();
    if (!shown.shown()) return false;
    // The text was decoded when the file was read: its games are found again in it as they were.
    const RecordCollection file{shown.text(), indexGameTrees(shown.text())};
    const std::size_t next = static_cast<std::size_t>(shown.game()) + 2;  // counted from 1
    if (next > file.games.size()) return false;
    GameLines lines = collectionGameLines(file, next);
    if (!lines.message.empty()) {
        showReadMessage(program, lines.message);
        return true;
    }
    const QString path = program.recordFile();
    if (!takeRecordLinesIntoBoard(program, std::move(lines.lines))) return true;
    program.setRecordFile(path);
    shown.opened(file.text, static_cast<int>(next) - 1);
    return true;
}

bool takeRecordLinesIntoBoard(Program& program, std::vector<std::string> lines) {
    const IntakeResult taken = program.takeRecord(std::move(lines));
    if (!taken.message.empty()) showReadMessage(program, taken.message);
    return taken.taken;
}

void takeClipboardRecord(Program& program) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) return;
    std::vector<std::string> lines = ReadClipboardLines(data->text().toStdString());
    // Ctrl+V over ordinary text is not meant as a record: it passes without a message.
    if (!holdsRecord(lines)) return;
    takeRecordLinesIntoBoard(program, std::move(lines));
}

}  // namespace kelmaz

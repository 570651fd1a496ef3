#pragma once
// A report of what the running program shows, for tests that start the built program as a
// second process (a clone window, a file on the command line). When the environment variable
// KELMAZ_STATE_DUMP names a file, the program writes the report there once its start-up is
// done, a picture of the main window beside it (the same name with ".png" appended), and ends.
//
// The report is UTF-8 text, one "key=value" per line:
//   caption=Kelmaz 碁盤No0-1       the main window's caption
//   instance=0-1                   the board number
//   top=... left=... width=... height=...   the main window's geometry in twips
//   pixelRatio=2                   device pixels per device-independent pixel
//   moveCount=3                    the current position
//   moves=16,4,0;4,16,7;...        column,row,colour of moves 1..MoveCount
//   comment=...                    the commentary box's text, a line break written as \n
//   question=...                   one line for each question the program put to the user
#include <QString>
#include <QStringList>

#include "engine/GameState.h"

namespace kelmaz {

class FomMain;

// The file named by KELMAZ_STATE_DUMP; empty when no report is asked for.
QString stateDumpPath();

// Writes the report and the picture; false when the report cannot be written.
bool writeStateDump(const QString& path, FomMain& mainWindow, const GameState& state,
                    const QStringList& questions);

}  // namespace kelmaz

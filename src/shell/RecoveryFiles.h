#pragma once
// The recovery folder: what a board window has not saved is kept there while it runs, one file
// per window, so that a crash or a kill costs nothing. A file is named after the process that
// wrote it; one whose process is gone was left behind and is offered at the next start.
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace kelmaz {

// $XDG_STATE_HOME/kelmaz, else ~/.local/state/kelmaz.
std::filesystem::path recoveryFolder();

// The file the window of process `pid` keeps its unsaved record in.
std::filesystem::path recoveryFileOf(const std::filesystem::path& folder, long pid);
// A file of its own for a record that process `pid` cleared while it was still unsaved (the
// peer of a match cleared the board): offered at the next start like a window's file.
std::filesystem::path clearedRecordFile(const std::filesystem::path& folder, long pid);

// Writes the bytes through the safe-write routine, the folder made first (readable by the user
// alone); false on failure.
bool writeRecoveryFile(const std::filesystem::path& file, std::string_view bytes);

// The files of the folder that no running window keeps (its process ended, or the number is now
// another program's or this process's own), newest first. Called at start-up.
std::vector<std::filesystem::path> leftoverRecoveryFiles(const std::filesystem::path& folder);

// Moves a file into the folder's `recovered/`, under a name not yet taken there; the path it
// got, or nothing when it could not be moved (it then stays where it was).
std::optional<std::filesystem::path> setRecoveryFileAside(const std::filesystem::path& file);

}  // namespace kelmaz

// The recovery folder: which files are left behind by a process that is gone, and how a file
// declined at start-up is moved aside without ever replacing another.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "shell/RecoveryFiles.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

namespace fs = std::filesystem;

// The number of a process that has ended (and was reaped), so no process owns it now.
long endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(RecoveryFiles, OnlyFilesOfEndedProcessesAreLeftovers) {
    test::TempDir dir;
    const long gone = endedProcess();
    ASSERT_TRUE(writeRecoveryFile(recoveryFileOf(dir.path() / "state", gone), "(;B[aa])"));
    const fs::path folder = dir.path() / "state";
    ASSERT_TRUE(writeRecoveryFile(clearedRecordFile(folder, gone), "(;W[bb])"));
    ASSERT_TRUE(writeRecoveryFile(recoveryFileOf(folder, ::getpid()), "(;B[cc])"));
    test::writeBytes(folder / "board-.sgf", "(;)");
    test::writeBytes(folder / "notes.txt", "");
    fs::create_directories(recoveryFileOf(folder, endedProcess()));  // a folder, not a file

    const std::vector<fs::path> leftovers = leftoverRecoveryFiles(folder);
    ASSERT_EQ(leftovers.size(), 2u);
    for (const fs::path& file : leftovers)
        EXPECT_TRUE(file.filename().string().starts_with("board-" + std::to_string(gone)));
    EXPECT_TRUE(leftoverRecoveryFiles(dir.path() / "absent").empty());
}

TEST(RecoveryFiles, ADeclinedFileIsMovedAsideWithoutReplacingAnEarlierOne) {
    test::TempDir dir;
    const fs::path first = recoveryFileOf(dir.path(), endedProcess());
    ASSERT_TRUE(writeRecoveryFile(first, "first"));
    const std::optional<fs::path> kept = setRecoveryFileAside(first);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->parent_path(), dir.path() / "recovered");

    // The same name again (a process number used anew) must not cost the first file.
    ASSERT_TRUE(writeRecoveryFile(first, "second"));
    const std::optional<fs::path> second = setRecoveryFileAside(first);
    ASSERT_TRUE(second);
    EXPECT_NE(*second, *kept);
    EXPECT_EQ(test::readBytes(*kept), "first");
    EXPECT_EQ(test::readBytes(*second), "second");
    EXPECT_FALSE(fs::exists(first));
    EXPECT_TRUE(leftoverRecoveryFiles(dir.path()).empty());
}

TEST(RecoveryFiles, TheFolderFollowsTheStateHomeAndIgnoresARelativeOne) {
    const std::string previous = std::getenv("XDG_STATE_HOME") ? std::getenv("XDG_STATE_HOME") : "";
    ::setenv("XDG_STATE_HOME", "/tmp/state-home", 1);
    EXPECT_EQ(recoveryFolder(), fs::path("/tmp/state-home/kelmaz"));
    ::setenv("XDG_STATE_HOME", "relative", 1);
    EXPECT_EQ(recoveryFolder(), fs::path(std::getenv("HOME")) / ".local/state/kelmaz");
    ::setenv("XDG_STATE_HOME", previous.c_str(), 1);
}

}  // namespace
}  // namespace kelmaz

// The one routine every save goes through: what it replaces, what it writes into, what it
// refuses.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <future>

#include "base/AtomicFile.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

namespace fs = std::filesystem;

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode;
}

TEST(AtomicFile, ReplacedFileKeepsItsModeAndNewFilesFollowTheUmask) {
    test::TempDir dir;
    const fs::path file = dir.file("kept.sgf");
    test::writeBytes(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(file.string(), "new"));
    EXPECT_EQ(test::readBytes(file), "new");
    EXPECT_EQ(modeOf(file) & 07777, 0640u);

    const mode_t old = ::umask(027);
    const bool written = writeFileAtomically(dir.file("fresh.sgf").string(), "x");
    ::umask(old);
    ASSERT_TRUE(written);
    EXPECT_EQ(modeOf(dir.file("fresh.sgf")) & 07777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2)
        << "no temporary file is left behind";
}

TEST(AtomicFile, SymbolicLinksAreFollowedToTheirTarget) {
    test::TempDir dir;
    fs::create_directory(dir.file("real"));
    const fs::path target = dir.file("real") / "game.sgf";
    test::writeBytes(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    // A relative link, and a link to that link.
    fs::create_symlink("real/game.sgf", dir.file("link.sgf"));
    fs::create_symlink(dir.file("link.sgf"), dir.file("link2.sgf"));
    for (const char* name : {"link.sgf", "link2.sgf"}) {
        SCOPED_TRACE(name);
        const std::string content = std::string("via ") + name;
        ASSERT_TRUE(writeFileAtomically(dir.file(name).string(), content));
        EXPECT_TRUE(fs::is_symlink(dir.file(name)));
        EXPECT_EQ(test::readBytes(target), content);
        EXPECT_EQ(modeOf(target) & 07777, 0600u);
    }
    EXPECT_EQ(fs::read_symlink(dir.file("link.sgf")), "real/game.sgf");
    // The temporary file was made beside the target, not beside the link.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("real")), fs::directory_iterator()), 1);

    // A link whose target does not exist yet creates the target.
    fs::create_symlink("real/new.sgf", dir.file("dangling.sgf"));
    ASSERT_TRUE(writeFileAtomically(dir.file("dangling.sgf").string(), "made"));
    EXPECT_TRUE(fs::is_symlink(dir.file("dangling.sgf")));
    EXPECT_EQ(test::readBytes(dir.file("real") / "new.sgf"), "made");

    // A loop of links is a write error, not a hang.
    fs::create_symlink("loop-b", dir.file("loop-a"));
    fs::create_symlink("loop-a", dir.file("loop-b"));
    EXPECT_FALSE(writeFileAtomically(dir.file("loop-a").string(), "x"));
    EXPECT_TRUE(fs::is_symlink(dir.file("loop-a")));
}

TEST(AtomicFile, DevicesAndFifosAreWrittenIntoNeverReplaced) {
    test::TempDir dir;
    // Through a link in the temporary folder, so that a fault replaces the link, not the device.
    fs::create_symlink("/dev/null", dir.file("null"));
    ASSERT_TRUE(writeFileAtomically(dir.file("null").string(), "discarded"));
    EXPECT_TRUE(fs::is_symlink(dir.file("null")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    const fs::path fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Without a reader the write fails at once instead of waiting for one.
    EXPECT_FALSE(writeFileAtomically(fifo.string(), "nobody reads"));
    EXPECT_TRUE(fs::is_fifo(fifo));

    // A reader that is there before the write: its end opened, and a second writer's end held
    // so that it waits for the bytes instead of seeing the end of the file at once.
    const int readEnd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(readEnd, 0);
    const int heldEnd = ::open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(heldEnd, 0);
    ASSERT_EQ(::fcntl(readEnd, F_SETFL, ::fcntl(readEnd, F_GETFL) & ~O_NONBLOCK), 0);
    const std::string record(100000, 'x');  // more than a pipe holds at once
    auto reader = std::async(std::launch::async, [&] {
        std::string got;
        char buffer[4096];
        for (ssize_t n; (n = ::read(readEnd, buffer, sizeof buffer)) > 0;) got.append(buffer, n);
        ::close(readEnd);
        return got;
    });
    const bool written = writeFileAtomically(fifo.string(), record);
    ::close(heldEnd);
    ASSERT_TRUE(written);
    ASSERT_EQ(reader.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(reader.get(), record);
    EXPECT_TRUE(fs::is_fifo(fifo));
}

// A file with no write permission at all is refused even where the access check would allow it
// (the superuser may write anything): the user made it read-only to keep it.
TEST(AtomicFile, ReadOnlyFileGivesTheWriteErrorAndStaysAsItWas) {
    test::TempDir dir;
    const fs::path file = dir.file("kept.sgf");
    test::writeBytes(file, "precious");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    EXPECT_FALSE(writeFileAtomically(file.string(), "overwritten"));
    EXPECT_EQ(test::readBytes(file), "precious");
    EXPECT_EQ(modeOf(file) & 07777, 0444u);
    // The same through a link.
    fs::create_symlink("kept.sgf", dir.file("link.sgf"));
    EXPECT_FALSE(writeFileAtomically(dir.file("link.sgf").string(), "overwritten"));
    EXPECT_EQ(test::readBytes(file), "precious");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);

    // A folder is no file to write.
    fs::create_directory(dir.file("folder"));
    EXPECT_FALSE(writeFileAtomically(dir.file("folder").string(), "x"));
    EXPECT_TRUE(fs::is_directory(dir.file("folder")));
}

}  // namespace
}  // namespace kelmaz

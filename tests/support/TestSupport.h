#pragma once
// Helpers shared by every test executable: fixture paths and temporary folders.
#include <filesystem>
#include <string>

namespace kelmaz::test {

// Folder of the project's fixtures (tests/data): records/ holds public game records by use,
// handmade/ the files written for the tests.
std::filesystem::path testDataDir();
// A fixture under tests/data; a missing one throws, which fails the running test loudly.
std::filesystem::path dataFile(const std::string& relative);
// Folder of the public game records, sorted into subfolders by what they exercise.
std::filesystem::path recordsDir();
// Reads a whole file as bytes; empty when it cannot be read.
std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);

// A fresh folder under the system's temporary folder, removed with its contents on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

}  // namespace kelmaz::test

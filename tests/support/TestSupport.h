#pragma once
// Helpers shared by every test executable: fixture paths and temporary folders.
#include <filesystem>
#include <string>

namespace kelmaz::test {

// Folder of the project's own fixtures (tests/data).
std::filesystem::path testDataDir();
// Folder of the public record corpus kept beside the repository (read-only).
std::filesystem::path corpusDir();
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

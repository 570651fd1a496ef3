#pragma once
// Points KELMAZ_CONFIG_DIR at a folder for the guard's lifetime and puts the previous value
// back on destruction, so a failing ASSERT cannot leave the next test on this folder.
#include <QByteArray>
#include <filesystem>

namespace kelmaz::test {

class ConfigDirGuard {
  public:
    explicit ConfigDirGuard(const std::filesystem::path& dir)
        : previous_(qgetenv("KELMAZ_CONFIG_DIR")) {
        qputenv("KELMAZ_CONFIG_DIR", QByteArray::fromStdString(dir.string()));
    }
    ~ConfigDirGuard() { qputenv("KELMAZ_CONFIG_DIR", previous_); }
    ConfigDirGuard(const ConfigDirGuard&) = delete;
    ConfigDirGuard& operator=(const ConfigDirGuard&) = delete;

  private:
    QByteArray previous_;
};

}  // namespace kelmaz::test

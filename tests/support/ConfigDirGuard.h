#pragma once
// Points KELMAZ_CONFIG_DIR at a folder for the guard's lifetime and puts the previous value back
// on destruction, so a failing ASSERT cannot leave the next test on this folder.
#include <QByteArray>
#include <filesystem>

namespace kelmaz::test {

class ConfigDirGuard {
  public:
    explicit ConfigDirGuard(const std::filesystem::path& dir) : previous_(qgetenv(kVariable)) {
        qputenv(kVariable, QByteArray::fromStdString(dir.string()));
    }
    ~ConfigDirGuard() { qputenv(kVariable, previous_); }
    ConfigDirGuard(const ConfigDirGuard&) = delete;
    ConfigDirGuard& operator=(const ConfigDirGuard&) = delete;

  private:
    static constexpr const char* kVariable = "KELMAZ_CONFIG_DIR";
    QByteArray previous_;
};

}  // namespace kelmaz::test

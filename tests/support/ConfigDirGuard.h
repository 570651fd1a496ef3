#pragma once
// Points KELMAZ_CONFIG_DIR (or another folder variable, such as XDG_STATE_HOME) at a folder for
// the guard's lifetime and puts the previous value back on destruction, so a failing ASSERT
// cannot leave the next test on this folder.
#include <QByteArray>
#include <filesystem>

namespace kelmaz::test {

class ConfigDirGuard {
  public:
    explicit ConfigDirGuard(const std::filesystem::path& dir,
                            const char* variable = "KELMAZ_CONFIG_DIR")
        : variable_(variable), previous_(qgetenv(variable)) {
        qputenv(variable_, QByteArray::fromStdString(dir.string()));
    }
    ~ConfigDirGuard() { qputenv(variable_, previous_); }
    ConfigDirGuard(const ConfigDirGuard&) = delete;
    ConfigDirGuard& operator=(const ConfigDirGuard&) = delete;

  private:
    const char* variable_;
    QByteArray previous_;
};

}  // namespace kelmaz::test

#pragma once
// The settings table behind "kelmaz.ini": key/value pairs in slots that every window reads and
// writes through ReadSetting/WriteSetting. The table starts with 31 free slots; a lookup stops
// at the first free slot, and a new key that finds no free slot is appended, so the table (and
// the file) can hold more than 31 pairs. The file reaches the disk only when save() is called.
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelmaz {

class SettingsStore {
  public:
    static constexpr int kInitialSlots = 31;
    // Fields longer than this are not settings anybody wrote: such a pair is not kept.
    static constexpr std::size_t kMaxFieldBytes = 4096;
    // Only this much of a file is read; a larger file is damaged or not ours.
    static constexpr std::size_t kMaxFileBytes = 32 << 20;

    SettingsStore();

    // The application and section arguments are accepted for the callers' sake and ignored.
    std::string ReadSetting(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view defaultValue) const;
    void WriteSetting(std::string_view application, std::string_view section, std::string_view key,
                      std::string_view value);

    std::string read(std::string_view key, std::string_view defaultValue) const;
    void write(std::string_view key, std::string_view value);

    // Replaces the table by the pairs of a settings file's (decoded) text.
    void parse(std::string_view text);
    // The file text: one "key,value" line per used slot, up to the first free slot.
    std::string serialise() const;

    // Reads the file, each line decoded on its own (UTF-8, else CP932); false (and an empty
    // table) when it cannot be read.
    bool load(const std::filesystem::path& file);
    // Writes the file through the program's safe write (a temporary file renamed into place:
    // an interrupted write never leaves a half-written file; links, modes and read-only files
    // are respected). False when that failed.
    bool save(const std::filesystem::path& file) const;

    // The used slots in order (for tests and diagnostics).
    std::vector<std::pair<std::string, std::string>> pairs() const;

  private:
    std::vector<std::pair<std::string, std::string>> slots_;
};

// The folder of "kelmaz.ini": $KELMAZ_CONFIG_DIR when set; else the program's folder when it is
// writable; else $XDG_CONFIG_HOME/kelmaz, or ~/.config/kelmaz without XDG_CONFIG_HOME.
std::filesystem::path settingsFolder(const std::filesystem::path& programFolder);
std::filesystem::path settingsFilePath(const std::filesystem::path& programFolder);

}  // namespace kelmaz

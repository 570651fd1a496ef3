#include "shell/SettingsStore.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "base/AtomicFile.h"
#include "base/TextCodec.h"

namespace kelmaz {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Splits one line into its fields the way sequential text input reads them: a field ends at a
// comma; leading blanks are skipped; a field that starts with a double quote runs to the next
// double quote, and whatever follows it up to the comma is ignored; an unquoted field loses its
// trailing blanks.
std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && isBlank(line[i])) ++i;
        std::string_view field;
        if (i < line.size() && line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? line.size() : close;
            field = line.substr(i + 1, end - i - 1);
            i = line.find(',', end);
        } else {
            const std::size_t comma = line.find(',', i);
            const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
            field = line.substr(i, end - i);
            while (!field.empty() && isBlank(field.back())) field.remove_suffix(1);
            i = comma;
        }
        fields.push_back(field);
        if (i == std::string_view::npos || i >= line.size()) break;
        ++i;  // past the comma
    }
    return fields;
}

// A field that the reader would not give back unchanged is written in double quotes.
std::string quoteIfNeeded(std::string_view field) {
    std::string text;
    for (char c : field) text.push_back(c == '\r' || c == '\n' ? ' ' : c);
    const bool needsQuotes =
        text.find(',') != std::string::npos ||
        (!text.empty() && (isBlank(text.front()) || isBlank(text.back()) || text.front() == '"'));
    if (!needsQuotes) return text;
    std::erase(text, '"');  // a quoted field cannot hold a quote
    return '"' + text + '"';
}

bool writable(const std::filesystem::path& folder) {
    return !folder.empty() && access(folder.c_str(), W_OK) == 0;
}

std::string envValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

SettingsStore::SettingsStore() : slots_(kInitialSlots) {}

std::string SettingsStore::ReadSetting(std::string_view, std::string_view, std::string_view key,
                                       std::string_view defaultValue) const {
    for (const auto& [slotKey, value] : slots_) {
        if (slotKey.empty()) break;
        if (slotKey == key) return value;
    }
    return std::string(defaultValue);
}

void SettingsStore::WriteSetting(std::string_view, std::string_view, std::string_view key,
                                 std::string_view value) {
    if (key.empty()) return;  // an empty key would end every lookup at its slot
    for (auto& [slotKey, slotValue] : slots_) {
        if (slotKey.empty()) slotKey = key;
        if (slotKey == key) {
            slotValue = value;
            return;
        }
    }
    slots_.emplace_back(std::string(key), std::string(value));
}

std::string SettingsStore::read(std::string_view key, std::string_view defaultValue) const {
    return ReadSetting("Kelmaz", "Startup", key, defaultValue);
}

void SettingsStore::write(std::string_view key, std::string_view value) {
    WriteSetting("Kelmaz", "Startup", key, value);
}

void SettingsStore::parse(std::string_view text) {
    slots_.assign(kInitialSlots, {});
    std::size_t used = 0;
    for (const std::string& line : splitLines(text)) {
        // A line without a comma, with an empty key or with an outsized field is not a pair we
        // can use; it is passed over so that the pairs after it still count.
        const auto fields = splitFields(line);
        if (fields.size() < 2 || fields[0].empty()) continue;
        if (fields[0].size() > kMaxFieldBytes || fields[1].size() > kMaxFieldBytes) continue;
        if (fields[0].find('\0') != std::string_view::npos ||
            fields[1].find('\0') != std::string_view::npos) {
            continue;  // binary garbage
        }
        if (used == slots_.size()) slots_.emplace_back();
        slots_[used++] = {std::string(fields[0]), std::string(fields[1])};
    }
}

std::string SettingsStore::serialise() const {
    std::string text;
    for (const auto& [key, value] : slots_) {
        if (key.empty()) break;
        text += quoteIfNeeded(key) + ',' + quoteIfNeeded(value) + '\n';
    }
    return text;
}

bool SettingsStore::load(const std::filesystem::path& file) {
    slots_.assign(kInitialSlots, {});
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::string bytes;
    char chunk[65536];
    while (bytes.size() < kMaxFileBytes && in.read(chunk, sizeof chunk).gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    parse(decodeLineByLine(bytes));
    return true;
}

bool SettingsStore::save(const std::filesystem::path& file) const {
    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    return writeFileAtomically(file.string(), serialise());
}

std::vector<std::pair<std::string, std::string>> SettingsStore::pairs() const {
    std::vector<std::pair<std::string, std::string>> used;
    for (const auto& slot : slots_) {
        if (slot.first.empty()) break;
        used.push_back(slot);
    }
    return used;
}

std::filesystem::path settingsFolder(const std::filesystem::path& programFolder) {
    if (const std::string dir = envValue("KELMAZ_CONFIG_DIR"); !dir.empty()) return dir;
    if (writable(programFolder)) return programFolder;
    if (const std::string xdg = envValue("XDG_CONFIG_HOME");
        !xdg.empty() && std::filesystem::path(xdg).is_absolute()) {
        return std::filesystem::path(xdg) / "kelmaz";
    }
    return std::filesystem::path(envValue("HOME")) / ".config" / "kelmaz";
}

std::filesystem::path settingsFilePath(const std::filesystem::path& programFolder) {
    return settingsFolder(programFolder) / "kelmaz.ini";
}

}  // namespace kelmaz

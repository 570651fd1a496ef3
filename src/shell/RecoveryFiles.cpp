#include "shell/RecoveryFiles.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <string>

#include "base/AtomicFile.h"

namespace kelmaz {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = "board-";
constexpr std::string_view kExtension = ".sgf";

// The process a recovery file belongs to, from its name; nothing for a name not of this form.
std::optional<long> ownerOf(const fs::path& file) {
    const std::string name = file.filename().string();
    if (!name.starts_with(kPrefix) || !name.ends_with(kExtension)) return std::nullopt;
    long pid = 0;
    const char* first = name.data() + kPrefix.size();
    const char* last = name.data() + name.size();
    const auto [end, error] = std::from_chars(first, last, pid);
    if (error != std::errc() || end == first || pid <= 0) return std::nullopt;
    return pid;
}

// The name and run state of a process from /proc/PID/stat ("pid (name) state ..."; the name may
// hold blanks and parentheses, so the state follows the last ')'). Empty when it cannot be read.
std::pair<std::string, char> nameAndState(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t open = line.find('(');
    const std::size_t close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open ||
        close + 2 >= line.size())
        return {};
    return {line.substr(open + 1, close - open - 1), line[close + 2]};
}

// Whether the window of process `pid` still keeps its file. A number no process has, a process
// that has ended but was not yet reaped, and a number used again by another program (after a
// restart) own nothing; neither does this process's own number at start-up, which an earlier
// window had. A process that exists but cannot be looked at (another user's) still owns its
// file, so a running window's record is never taken from it.
bool ownedByARunningWindow(long pid) {
    if (pid == static_cast<long>(::getpid())) return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return false;
    const auto [name, state] = nameAndState(std::to_string(pid));
    if (name.empty()) return true;
    if (state == 'Z' || state == 'X') return false;
    return name == nameAndState("self").first;
}

}  // namespace

fs::path recoveryFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && *state == '/') return fs::path(state) / "kelmaz";
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr ? home : ".") / ".local" / "state" / "kelmaz";
}

fs::path recoveryFileOf(const fs::path& folder, long pid) {
    return folder / (std::string(kPrefix) + std::to_string(pid) + std::string(kExtension));
}

fs::path clearedRecordFile(const fs::path& folder, long pid) {
    static std::atomic<int> cleared = 0;
    return folder / (std::string(kPrefix) + std::to_string(pid) + "-cleared-" +
                     std::to_string(++cleared) + std::string(kExtension));
}

bool writeRecoveryFile(const fs::path& file, std::string_view bytes) {
    std::error_code error;
    // The folder holds the user's unsaved records: a new one is the user's alone to read.
    if (fs::create_directories(file.parent_path(), error))
        fs::permissions(file.parent_path(), fs::perms::owner_all, error);
    return writeFileAtomically(file.string(), bytes);
}

std::vector<fs::path> leftoverRecoveryFiles(const fs::path& folder) {
    std::vector<std::pair<fs::file_time_type, fs::path>> found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::optional<long> owner = ownerOf(entry.path());
        if (!owner || ownedByARunningWindow(*owner) || !entry.is_regular_file(error)) continue;
        found.emplace_back(entry.last_write_time(error), entry.path());
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a > b; });
    std::vector<fs::path> files;
    for (auto& [time, path] : found) files.push_back(std::move(path));
    return files;
}

std::optional<fs::path> setRecoveryFileAside(const fs::path& file) {
    const fs::path aside = file.parent_path() / "recovered";
    std::error_code error;
    fs::create_directories(aside, error);
    const std::string stem = file.stem().string();
    for (int n = 0; n < 1000; ++n) {
        const fs::path target =
            aside / (n == 0 ? file.filename().string()
                            : stem + "-" + std::to_string(n) + file.extension().string());
        if (fs::exists(target, error)) continue;
        fs::rename(file, target, error);
        if (error) return std::nullopt;
        return target;
    }
    return std::nullopt;
}

}  // namespace kelmaz

#pragma once
// An engine that leaves processes behind unless its whole process group is ended: a wrapper
// script that runs the scripted engine as its child (not in its own place) and forks a helper
// beside it, and writes both process ids.
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/TestSupport.h"

namespace kelmaz::test {

class EngineFamily {
  public:
    explicit EngineFamily(const TempDir& dir) : dir_(dir) {
        writeBytes(script(), "exec 3<&0\nsleep 300 &\necho $! >'" + file("helper.pid") + "'\n'" +
                                 std::string(KELMAZ_FAKE_GTP) + "' \"$@\" <&3 &\necho $! >'" +
                                 file("engine.pid") + "'\nwait $!\n");
    }
    // The command line that starts it, with the scripted engine's arguments.
    std::string command(const std::string& engineArgs) const {
        return "sh " + script().string() + " " + engineArgs;
    }
    bool started() const {
        return !readBytes(dir_.file("helper.pid")).empty() &&
               !readBytes(dir_.file("engine.pid")).empty();
    }
    // Both the engine and the helper have ended (a zombie has ended too).
    bool allGone() const { return gone("helper.pid") && gone("engine.pid"); }
    // The same, waiting up to two seconds for each process to end after a kill sent by another
    // process: its pidfd turns readable when it ends.
    bool allGoneSoon() const {
        for (const char* name : {"helper.pid", "engine.pid"}) {
            const int fd = static_cast<int>(::syscall(SYS_pidfd_open, pidIn(name), 0));
            if (fd < 0) continue;  // already gone and reaped
            pollfd ended{fd, POLLIN, 0};
            ::poll(&ended, 1, 2000);
            ::close(fd);
        }
        return allGone();
    }
    // Ends whatever the program under test left running.
    ~EngineFamily() {
        for (const char* name : {"helper.pid", "engine.pid"})
            if (const int pid = pidIn(name); pid > 0) ::kill(pid, SIGKILL);
    }

  private:
    std::filesystem::path script() const { return dir_.file("wrapper.sh"); }
    std::string file(const char* name) const { return dir_.file(name).string(); }
    int pidIn(const char* name) const {
        const std::string text = readBytes(dir_.file(name));
        return text.empty() ? 0 : std::stoi(text);
    }
    bool gone(const char* name) const {
        const int pid = pidIn(name);
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string id, command, state;
        return pid > 0 && (!(stat >> id >> command >> state) || state == "Z");
    }

    const TempDir& dir_;
};

}  // namespace kelmaz::test

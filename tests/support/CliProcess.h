#pragma once
// The command-line tool run as a process, as from a plain terminal.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kelmaz::test {

class CliProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        cli_ = KELMAZ_CLI;
        ASSERT_TRUE(std::filesystem::is_regular_file(cli_)) << cli_;
    }
    // Runs the tool with neither a display nor a window platform named, as from a plain
    // terminal; standard error goes to its own file when one is given, else with the output.
    int run(const std::string& args, const std::filesystem::path& out,
            const std::filesystem::path& err = {}) {
        const std::string errTarget = err.empty() ? "&1" : "'" + err.string() + "'";
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                    cli_ + "' " + args + " >'" + out.string() + "' 2>" + errTarget;
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string cli_;
};

}  // namespace kelmaz::test

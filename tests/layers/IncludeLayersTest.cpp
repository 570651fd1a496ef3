// Reads every #include "folder/File.h" in src/ and checks it against the order of the layers:
// a file may include its own folder and the folders listed before it, never one after it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> splitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');) parts.push_back(part);
    return parts;
}

// Every include that breaks the order, or lies in or names a folder missing from it, as
// "file:line: reason".
std::vector<std::string> layerViolations(const fs::path& sourceRoot,
                                         const std::vector<std::string>& order) {
    const auto rankOf = [&](const std::string& folder) {
        const auto at = std::find(order.begin(), order.end(), folder);
        return at == order.end() ? -1 : static_cast<int>(at - order.begin());
    };
    static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
        const fs::path relative = fs::relative(entry.path(), sourceRoot);
        const std::string folder = relative.parent_path().generic_string();
        const int rank = rankOf(folder);
        if (rank < 0) {
            found.push_back(relative.generic_string() + ": folder '" + folder +
                            "' is not in the layer table");
            continue;
        }
        std::ifstream in(entry.path());
        int lineNo = 0;
        for (std::string line; std::getline(in, line);) {
            ++lineNo;
            std::smatch m;
            if (!std::regex_search(line, m, include)) continue;
            const std::string target = fs::path(m[1].str()).parent_path().generic_string();
            const std::string where = relative.generic_string() + ":" + std::to_string(lineNo);
            if (target.empty()) continue;  // a file of its own folder
            const int targetRank = rankOf(target);
            if (targetRank < 0) {
                found.push_back(where + ": includes '" + m[1].str() +
                                "' from a folder not in the layer table");
            } else if (targetRank > rank) {
                found.push_back(where + ": '" + folder + "' includes '" + m[1].str() +
                                "', a layer above it");
            }
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

TEST(IncludeLayers, EveryIncludeInTheSourcesPointsDown) {
    const auto violations = layerViolations(KELMAZ_SOURCE_DIR, splitCommas(KELMAZ_LAYER_ORDER));
    EXPECT_TRUE(violations.empty()) << joined(violations);
}

class LayerCheckOnAScratchTree : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ =
            fs::temp_directory_path() /
            ("kelmaz-layers-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "low");
        fs::create_directories(root_ / "high/ui");
    }
    void TearDown() override { fs::remove_all(root_); }
    void write(const std::string& file, const std::string& text) {
        std::ofstream(root_ / file) << text;
    }
    std::vector<std::string> check() const {
        return layerViolations(root_, {"low", "high", "high/ui"});
    }
    fs::path root_;
};

TEST_F(LayerCheckOnAScratchTree, DownwardAndSameFolderIncludesPass) {
    write("low/A.h", "#include <vector>\n#include \"low/B.h\"\n");
    write("high/C.cpp", "#include \"high/C.h\"\n#include \"low/A.h\"\n");
    write("high/ui/W.cpp", "  #  include \"high/C.h\"\n#include \"low/A.h\"\n#include \"W.h\"\n");
    EXPECT_TRUE(check().empty()) << joined(check());
}

TEST_F(LayerCheckOnAScratchTree, AnUpwardIncludeAndAnUnknownFolderAreNamedWithTheirLine) {
    write("low/A.cpp", "#include \"low/A.h\"\n\n#include \"high/ui/W.h\"\n");
    write("high/C.cpp", "#include \"elsewhere/X.h\"\n");
    fs::create_directories(root_ / "stray");
    write("stray/S.cpp", "#include \"low/A.h\"\n");
    const auto violations = check();
    ASSERT_EQ(violations.size(), 3u) << joined(violations);
    EXPECT_NE(violations[0].find("high/C.cpp:1"), std::string::npos);
    EXPECT_NE(violations[1].find("low/A.cpp:3"), std::string::npos);
    EXPECT_NE(violations[1].find("a layer above it"), std::string::npos);
    EXPECT_NE(violations[2].find("stray/S.cpp"), std::string::npos);
}

}  // namespace

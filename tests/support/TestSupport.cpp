#include "support/TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace kelmaz::test {

namespace {
std::filesystem::path fromEnv(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path(fallback);
}
}  // namespace

std::filesystem::path testDataDir() { return fromEnv("KELMAZ_TEST_DATA", KELMAZ_TEST_DATA_DIR); }

std::filesystem::path dataFile(const std::string& relative) {
    auto path = testDataDir() / relative;
    if (!std::filesystem::is_regular_file(path))
        throw std::runtime_error("test data missing: " + path.string());
    return path;
}

std::filesystem::path recordsDir() {
    auto dir = testDataDir() / "records";
    if (!std::filesystem::is_directory(dir))
        throw std::runtime_error("test data missing: " + dir.string());
    return dir;
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

TempDir::TempDir() {
    std::random_device seed;
    std::mt19937_64 rng(seed());
    auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("kelmaz-test-" + std::to_string(rng()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace kelmaz::test

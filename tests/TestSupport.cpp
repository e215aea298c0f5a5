#include "tests/TestSupport.h"

#include <filesystem>
#include <random>

namespace fs = std::filesystem;

std::string CorpusDir() {
    fs::path dir = fs::path(BRELVIK_SOURCE_DIR) / ".." / "shared" / "testdata" / "bmpsuite";
    return fs::is_directory(dir) ? fs::canonical(dir).string() : std::string();
}

std::string TempDir() {
    static std::mt19937_64 rng{std::random_device{}()};
    fs::path dir = fs::temp_directory_path() / ("brelvik-test-" + std::to_string(rng()));
    fs::create_directories(dir);
    return dir.string();
}

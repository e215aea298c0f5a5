#include "tests/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

std::string CorpusDir() {
    const char* elsewhere = std::getenv("BRELVIK_CORPUS_DIR");  // for a checkout without ../shared beside it
    fs::path dir = elsewhere && *elsewhere
                       ? fs::path(elsewhere)
                       : fs::path(BRELVIK_SOURCE_DIR) / ".." / "shared" / "testdata" / "bmpsuite";
    return fs::is_directory(dir) ? fs::canonical(dir).string() : std::string();
}

bool CorpusRequired() {
    const char* required = std::getenv("BRELVIK_REQUIRE_CORPUS");
    return required && *required && std::string(required) != "0";
}

std::string TempDir() {
    static std::mt19937_64 rng{std::random_device{}()};
    fs::path dir = fs::temp_directory_path() / ("brelvik-test-" + std::to_string(rng()));
    fs::create_directories(dir);
    return dir.string();
}

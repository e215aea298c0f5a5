#include "tests/TestSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <vector>

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

namespace {

// The folders TempDir made, removed when the test program ends (not when a forked child of it does).
std::vector<fs::path>& MadeFolders() {
    static std::vector<fs::path> folders;
    return folders;
}

const pid_t testProgram = getpid();

void RemoveMadeFolders() {
    if (getpid() != testProgram) return;
    std::error_code ignored;
    for (const fs::path& folder : MadeFolders()) fs::remove_all(folder, ignored);
}

}  // namespace

std::string TempDir() {
    static std::mt19937_64 rng{std::random_device{}()};
    if (MadeFolders().empty()) std::atexit(RemoveMadeFolders);
    fs::path dir = fs::temp_directory_path() / ("brelvik-test-" + std::to_string(rng()));
    fs::create_directories(dir);
    MadeFolders().push_back(dir);
    return dir.string();
}

// Replays the fuzzers' past findings through the same bodies as the fuzz targets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/FuzzTargets.h"

namespace fs = std::filesystem;

namespace {

using Body = void (*)(const std::uint8_t*, std::size_t);

int Replay(const std::string& target, Body body) {
    fs::path dir = fs::path(BRELVIK_SOURCE_DIR) / "tests" / "data" / "fuzz" / target;
    if (!fs::is_directory(dir)) return 0;
    int count = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().string());
        body(data.data(), data.size());
        ++count;
    }
    return count;
}

}  // namespace

TEST(FuzzRegression, PastFindingsFailCleanly) {
    InstallFormatsOnce();
    int replayed = Replay("bmp", FuzzBmp) + Replay("jpeg", FuzzJpeg) + Replay("ico", FuzzIco) +
                   Replay("picture_data", FuzzPictureData) + Replay("bmp_summary", FuzzBmpSummary);
    RecordProperty("replayed", replayed);
}

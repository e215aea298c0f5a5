// Replays the fuzzers' past findings through the same bodies as the fuzz targets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/FuzzTargets.h"

namespace fs = std::filesystem;

namespace {

using Body = void (*)(const std::uint8_t*, std::size_t);

// Every file of the target's folder through its body; how many there were.
int Replay(const std::string& target, Body body) {
    const fs::path dir = fs::path(BRELVIK_SOURCE_DIR) / "tests" / "data" / "fuzz" / target;
    int count = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)),
                                       std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().string());
        body(data.data(), data.size());
        ++count;
    }
    return count;
}

}  // namespace

// The counts are those of the kept corpus: a finding added or lost shows here.
TEST(FuzzRegression, PastFindingsFailCleanly) {
    InstallFormatsOnce();
    const struct {
        const char* target;
        Body body;
        int files;
    } targets[] = {{"bmp", FuzzBmp, 239},
                   {"jpeg", FuzzJpeg, 58},
                   {"ico", FuzzIco, 141},
                   {"picture_data", FuzzPictureData, 339},
                   {"bmp_summary", FuzzBmpSummary, 35},
                   {"png", FuzzPng, 33},
                   {"webp", FuzzWebp, 41},
                   {"tiff", FuzzTiff, 71},
                   {"gif", FuzzGif, 116}};
    for (const auto& t : targets) EXPECT_EQ(Replay(t.target, t.body), t.files) << t.target;
}

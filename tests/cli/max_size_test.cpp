// --max-size picks the quality a linear search over 1..100 would pick (the highest whose file
// fits), in at most 7 encodes, at every size boundary of three pictures and through a batch with
// -r and -j; below quality 1's size the file fails and nothing is written.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <functional>
#include <random>

#include "formats/JpegSizeFit.h"
#include "formats/TJPEGImage.h"
#include "tests/TestSupport.h"
#include "tests/cli/CliRuns.h"

namespace fs = std::filesystem;

namespace {

// The file's size at each quality 1..100 as the save encodes it, [0] unused.
std::vector<std::int64_t> SizesByQuality(TBitmap& bitmap) {
    std::vector<std::int64_t> sizes(101, 0);
    TJPEGImage jpeg;
    jpeg.CopyFrom(&bitmap);
    for (int q = 1; q <= 100; ++q) {
        jpeg.Encode(JpegSettingsAtQuality(q));
        sizes[std::size_t(q)] = jpeg.Store()->Bytes->DataSize();
    }
    return sizes;
}

int LinearSearch(const std::vector<std::int64_t>& sizes, std::int64_t maxBytes) {
    for (int q = 100; q >= 1; --q)
        if (sizes[std::size_t(q)] <= maxBytes) return q;
    return 0;
}

}  // namespace

TEST(MaxSize, PicksWhatALinearSearchPicks) {
    struct Picture {
        std::string name;
        int width, height;
        std::function<std::uint32_t(int x, int y)> color;  // 0xRRGGBB
    };
    const std::vector<Picture> pictures = {
        {"smooth", 240, 160, [](int x, int y) { return std::uint32_t(x << 16 | (x + y) / 2 << 8 | y); }},
        {"noise", 200, 150, [](int x, int y) { return std::uint32_t(std::minstd_rand(y * 1000 + x + 1)()); }},
        {"stripes", 301, 97, [](int x, int y) { return (x / 3 + y / 5) % 2 ? 0x1030F0u : 0xF0E020u; }},
        // Its file shrinks from quality 42 to 43: the bisection may then stop at a quality that
        // fits with the next one too large, below the highest that fits.
        {"ramp", 240, 160, [](int x, int y) { return std::uint32_t(y << 16 | (x + y) % 256 << 8 | x); }},
    };
    const std::string dir = TempDir();
    fs::create_directories(dir + "/in/sub");
    std::map<std::string, std::vector<std::int64_t>> sizes;
    for (const Picture& picture : pictures) {
        SCOPED_TRACE(picture.name);
        TBitmap bitmap;
        MakeRaster(bitmap, rf24Bit, picture.width, picture.height);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < 3 * picture.width; ++x)
                bitmap.Row(y)[x] = std::uint8_t(picture.color(x / 3, y) >> 8 * (x % 3));
        if (picture.name != "ramp") bitmap.WriteToFile(dir + "/in/sub/" + picture.name + ".bmp");
        const std::vector<std::int64_t>& bytes = sizes[picture.name] = SizesByQuality(bitmap);
        TJPEGImage jpeg;
        jpeg.CopyFrom(&bitmap);
        const JpegEncodeSnapshot rows(jpeg);
        for (int q = 1; q <= 100; ++q)
            for (std::int64_t limit : {bytes[std::size_t(q)], bytes[std::size_t(q)] - 1}) {
                const JpegFit fit = FitJpegToSize(rows, limit);
                const std::size_t q = std::size_t(fit.quality);
                ASSERT_TRUE(q == 0 ? bytes[1] > limit
                                   : bytes[q] <= limit && (q == 100 || bytes[q + 1] > limit));
                if (picture.name != "ramp") {
                    ASSERT_EQ(fit.quality, LinearSearch(bytes, limit)) << "limit " << limit;
                }
                ASSERT_LE(fit.encodes, 7);
                ASSERT_EQ(fit.bytes->DataSize(), bytes[std::size_t(std::max(fit.quality, 1))]);
            }
    }

    // Through brelvik-cli: a limit between two of the smooth picture's sizes, below the noise's
    // smallest file.
    const std::int64_t limit = (sizes["smooth"][60] + sizes["smooth"][61]) / 2;
    ASSERT_LT(limit, sizes["noise"][1]);
    CliRun run = RunCli(
        dir, {"convert", "-r", "-j", "2", "--json", "--max-size", QString::number(limit), "-o", "out", "in"});
    EXPECT_EQ(run.status, 1) << run.err;
    std::istringstream lines(run.out);
    int records = 0, fitted = 0;
    for (std::string line; std::getline(lines, line); ++records) {
        const QJsonObject record = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
        const std::string source = record["source"].toString().toStdString();
        const std::string output = dir + "/" + record["output"].toString().toStdString();
        SCOPED_TRACE(source);
        const int expected = LinearSearch(sizes[fs::path(source).stem().string()], limit);
        const std::string failure = source + ": does not fit in " + std::to_string(limit) + " bytes";
        EXPECT_EQ(run.err.find(failure) != std::string::npos, expected == 0) << run.err;
        if (expected == 0) continue;
        ++fitted;
        EXPECT_EQ(record["quality"].toInt(), expected);
        // The very file a plain conversion at that quality writes.
        RunCli(dir, {"convert", "-q", QString::number(expected), "-o", "plain.jpg",
                     QString::fromStdString(source)});
        EXPECT_EQ(Bytes(output), Bytes(dir + "/plain.jpg"));
    }
    EXPECT_EQ(records, 3);
    EXPECT_GE(fitted, 1);
    int written = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir + "/out"))
        written += entry.is_regular_file();
    EXPECT_EQ(written, fitted);  // nothing for a failure, no stray temporary file
}

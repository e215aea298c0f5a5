// --max-size picks the quality a linear search over 1..100 would: the highest whose file fits,
// found in at most 7 encodes, through the library and through brelvik-cli's batches alike; below
// quality 1's size the file fails and nothing is written.
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

struct Picture {
    const char* name;
    int width, height;
    std::function<std::uint32_t(int x, int y)> color;  // 0xRRGGBB
};

const std::vector<Picture>& Pictures() {
    static const std::vector<Picture> pictures = {
        {"smooth", 240, 160, [](int x, int y) { return std::uint32_t(x << 16 | (x + y) / 2 << 8 | y); }},
        {"noise", 200, 150,
         [](int x, int y) {
             return std::uint32_t(std::minstd_rand(std::uint32_t(y * 1000 + x + 1))()) & 0xFFFFFF;
         }},
        {"stripes", 301, 97, [](int x, int y) { return (x / 3 + y / 5) % 2 ? 0x1030F0u : 0xF0E020u; }},
    };
    return pictures;
}

void Paint(TBitmap& bitmap, const Picture& picture) {
    MakeRaster(bitmap, rf24Bit, picture.width, picture.height);
    for (int y = 0; y < picture.height; ++y) {
        std::uint8_t* row = bitmap.Row(y);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t c = picture.color(x, y);
            row[3 * x] = std::uint8_t(c), row[3 * x + 1] = std::uint8_t(c >> 8),
                    row[3 * x + 2] = std::uint8_t(c >> 16);
        }
    }
}

// The file's size at every quality 1..100, as the save encodes it.
std::vector<std::int64_t> SizesByQuality(TBitmap& bitmap) {
    std::vector<std::int64_t> sizes(101, 0);
    for (int q = 1; q <= 100; ++q) {
        TJPEGImage jpeg;
        jpeg.CopyFrom(&bitmap);
        jpeg.Quality = std::uint8_t(q);
        jpeg.Encode();
        sizes[std::size_t(q)] = jpeg.Store()->Bytes->DataSize();
    }
    return sizes;
}

int LinearSearch(const std::vector<std::int64_t>& sizes, std::int64_t maxBytes) {
    for (int q = 100; q >= 1; --q)
        if (sizes[std::size_t(q)] <= maxBytes) return q;
    return 0;
}

QJsonObject Record(const std::string& line) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
}

}  // namespace

TEST(MaxSize, PicksWhatALinearSearchPicksInAtMostSevenEncodes) {
    const std::string dir = TempDir();
    fs::create_directory(dir + "/in");
    std::vector<std::vector<std::int64_t>> sizes;
    for (const Picture& picture : Pictures()) {
        SCOPED_TRACE(picture.name);
        TBitmap bitmap;
        Paint(bitmap, picture);
        bitmap.WriteToFile(dir + "/in/" + picture.name + ".bmp");
        sizes.push_back(SizesByQuality(bitmap));
        TJPEGImage jpeg;
        jpeg.CopyFrom(&bitmap);
        const JpegEncodeSnapshot rows(jpeg);
        // Every boundary: exactly a quality's size, and a byte short of it.
        for (int q = 1; q <= 100; ++q)
            for (std::int64_t limit : {sizes.back()[std::size_t(q)], sizes.back()[std::size_t(q)] - 1}) {
                const JpegFit fit = FitJpegToSize(rows, limit);
                ASSERT_EQ(fit.quality, LinearSearch(sizes.back(), limit)) << "limit " << limit;
                ASSERT_LE(fit.encodes, 7);
                ASSERT_EQ(fit.bytes->DataSize(),
                          sizes.back()[std::size_t(fit.quality > 0 ? fit.quality : 1)]);
            }
    }

    // A batch in worker processes over a folder: the smooth picture's limit lies between two
    // qualities' sizes, and falls below quality 1's size for the noise.
    const std::int64_t limit = (sizes[0][60] + sizes[0][61]) / 2;
    ASSERT_LT(limit, sizes[1][1]);
    fs::create_directory(dir + "/out");
    CliRun run = RunCli(
        dir, {"convert", "-r", "-j", "2", "--json", "--max-size", QString::number(limit), "-o", "out", "in"});
    EXPECT_EQ(run.status, 1) << run.err;
    std::istringstream lines(run.out);
    int records = 0, fitted = 0;
    for (std::string line; std::getline(lines, line); ++records) {
        const QJsonObject record = Record(line);
        const std::string source = record["source"].toString().toStdString();
        const std::string output = dir + "/" + record["output"].toString().toStdString();
        const std::size_t i = source.find("noise") != std::string::npos    ? 1
                              : source.find("smooth") != std::string::npos ? 0
                                                                           : 2;
        SCOPED_TRACE(source);
        const int expected = LinearSearch(sizes[i], limit);
        if (expected == 0) {
            EXPECT_EQ(record["status"].toString(), "failed");
            EXPECT_TRUE(record["quality"].isNull());
            EXPECT_NE(run.err.find(source + ": does not fit in " + std::to_string(limit) + " bytes"),
                      std::string::npos)
                << run.err;
            EXPECT_FALSE(fs::exists(output));
            continue;
        }
        ++fitted;
        EXPECT_EQ(record["quality"].toInt(), expected);
        // The same file a plain conversion at that quality writes.
        EXPECT_EQ(RunCli(dir, {"convert", "-q", QString::number(expected), "-o", "plain.jpg",
                               QString::fromStdString(source)})
                      .status,
                  0);
        EXPECT_EQ(Bytes(output), Bytes(dir + "/plain.jpg"));
    }
    EXPECT_EQ(records, 3);
    int written = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir + "/out"))
        written += entry.is_regular_file();
    EXPECT_GE(fitted, 1);
    EXPECT_EQ(written, fitted);  // and no stray temporary file
}

TEST(MaxSize, SizesAreReadAsDuReadsThemAndMisuseIsAUsageError) {
    const std::string dir = TempDir();
    WriteSample(dir + "/a.bmp");
    struct Case {
        QStringList args;
        int status;
    };
    const std::vector<Case> cases = {
        {{"--max-size", "1K"}, 0},
        {{"--max-size=1KiB"}, 0},
        {{"--max-size", "1m"}, 0},
        {{"--max-size", "0"}, 2},
        {{"--max-size", "1.5M"}, 2},
        {{"--max-size", "12KB"}, 2},
        {{"--max-size", "-3"}, 2},
        {{"--max-size", "9999999999G"}, 2},
        {{"--max-size", "1K", "-q", "80"}, 2},
        {{"--max-size", "1K", "--to", "bmp"}, 2},
    };
    for (const Case& c : cases) {
        CliRun run = RunCli(dir, QStringList{"convert", "a.bmp", "-o", "a.jpg"} + c.args);
        EXPECT_EQ(run.status, c.status) << c.args.join(' ').toStdString() << ": " << run.err;
    }
}

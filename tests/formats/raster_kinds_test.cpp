#include <gtest/gtest.h>
#include <zlib.h>

#include <QColorSpace>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <chrono>
#include <functional>

#include "core/Errors.h"
#include "core/TPicture.h"
#include "formats/PictureKinds.h"
#include "formats/PictureLoading.h"
#include "tests/TestSupport.h"
#include "tests/formats/JpegTestPictures.h"
#include "tests/formats/RasterKindFiles.h"

namespace {

const std::string DataDir = std::string(BRELVIK_SOURCE_DIR) + "/tests/data/kinds/";

// The largest difference of a channel between the picture as read and as Qt's readers see it
// (put over white the same way); -1 when the sizes differ.
int LargestDifference(const std::string& path) {
    TPicture picture;
    ReadFromFile(picture, path);
    auto* bitmap = dynamic_cast<TBitmap*>(picture.HeldGraphic());
    if (!bitmap) return -1;
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    const QImage expected = reader.read().convertToFormat(QImage::Format_ARGB32);
    if (expected.isNull() || expected.width() != bitmap->Width() || expected.height() != bitmap->Height())
        return -1;
    const platform::Bitmap& raster = *bitmap->Image()->handle;
    std::uint32_t got[1024];
    int largest = 0;
    for (int y = 0; y < expected.height(); ++y) {
        platform::ReadRow32(raster, y, 0, raster.Width(), got);
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb want = expected.pixel(x, y);
            const int alpha = qAlpha(want);
            const int wanted[3] = {qRed(want), qGreen(want), qBlue(want)};
            const int have[3] = {int(got[x] >> 16 & 0xFF), int(got[x] >> 8 & 0xFF), int(got[x] & 0xFF)};
            for (int c = 0; c < 3; ++c) {
                const int over = (wanted[c] * alpha + 255 * (255 - alpha) + 127) / 255;
                largest = std::max(largest, std::abs(over - have[c]));
            }
        }
    }
    return largest;
}

std::optional<DeclaredSize> SizeDeclaredBy(const std::string& path) {
    TFileStream stream(path, fmOpenRead);
    return KindByExtension(ExtractExtension(path))->declaredSize(stream);
}

std::string Name(const char* kind, int a, int b, int c = 0) {
    static const std::string dir = TempDir();
    return dir + "/" + kind + std::to_string(a) + "-" + std::to_string(b) + "-" + std::to_string(c);
}

}  // namespace

// Every raster kind, over a grid of its colour types, depths and layouts, declares its stored size
// in its header (so that --max-pixels is checked before any raster is made) and decodes to what
// Qt's readers decode (16-bit samples and transparency may round apart by one step; lossy WebP by
// a few). Qt's readers leave out two layouts they misread: a tRNS colour in a 16-bit PNG and
// 16-bit grey TIFF tiles.
TEST(RasterKinds, DecodeAsQtsReadersDo) {
    constexpr int W = 19, H = 13;
    std::vector<std::string> files;
    const PngLayout pngs[] = {
        {PNG_COLOR_TYPE_GRAY, 1, false, false},       {PNG_COLOR_TYPE_GRAY, 2, true, false},
        {PNG_COLOR_TYPE_GRAY, 4, false, true},        {PNG_COLOR_TYPE_GRAY, 8, true, true},
        {PNG_COLOR_TYPE_GRAY, 16, false, false},      {PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false},
        {PNG_COLOR_TYPE_GRAY_ALPHA, 16, true, false}, {PNG_COLOR_TYPE_RGB, 8, true, false},
        {PNG_COLOR_TYPE_RGB, 8, false, true},         {PNG_COLOR_TYPE_RGB, 16, false, false},
        {PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false},   {PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false},
        {PNG_COLOR_TYPE_PALETTE, 1, false, false},    {PNG_COLOR_TYPE_PALETTE, 2, true, true},
        {PNG_COLOR_TYPE_PALETTE, 4, false, true},     {PNG_COLOR_TYPE_PALETTE, 8, true, true},
    };
    for (const PngLayout& layout : pngs) {
        files.push_back(
            Name("png", layout.colorType, layout.depth, layout.interlaced * 2 + layout.transparentColor) +
            ".png");
        ASSERT_TRUE(WritePng(files.back(), W, H, layout));
    }
    const TiffLayout tiffs[] = {
        {PHOTOMETRIC_MINISBLACK, 8, 1, false, true},
        {PHOTOMETRIC_MINISBLACK, 16, 1, false, false},
        {PHOTOMETRIC_RGB, 8, 3, false, true, ORIENTATION_TOPLEFT, COMPRESSION_ADOBE_DEFLATE},
        {PHOTOMETRIC_RGB, 16, 3, false, false},
        {PHOTOMETRIC_RGB, 8, 4, true, false},
        {PHOTOMETRIC_PALETTE, 8, 1, false, true},
        {PHOTOMETRIC_PALETTE, 4, 1, false, false},
        {PHOTOMETRIC_SEPARATED, 8, 4, false, false, ORIENTATION_TOPLEFT, COMPRESSION_LZW},
    };
    for (const TiffLayout& layout : tiffs) {
        files.push_back(Name("tiff", layout.photometric, layout.depth, layout.tiled) + ".tif");
        ASSERT_TRUE(WriteTiff(files.back(), W, H, layout)) << files.back();
    }
    for (int orientation = 1; orientation <= 8; ++orientation)
        for (bool tiled : {false, true}) {
            files.push_back(Name("oriented", orientation, tiled) + ".tiff");
            ASSERT_TRUE(WriteTiff(files.back(), W, H, {PHOTOMETRIC_RGB, 8, 3, false, tiled, orientation}));
        }
    QImage photo(W, H, QImage::Format_ARGB32);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            photo.setPixel(x, y, qRgba(x * 13, y * 19, 200 - x * 5, x < 9 ? 255 : y * 19));
    for (int quality : {80, 100}) {  // lossy and lossless
        for (bool alpha : {false, true}) {
            files.push_back(Name("webp", quality, alpha) + ".webp");
            QImageWriter writer(QString::fromStdString(files.back()), "webp");
            writer.setQuality(quality);
            ASSERT_TRUE(writer.write(alpha ? photo : photo.convertToFormat(QImage::Format_RGB32)));
        }
    }
    for (const char* name : {"plain.gif", "interlaced-transparent.gif", "animated.gif", "animated.webp"})
        files.push_back(DataDir + name);

    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::optional<DeclaredSize> size = SizeDeclaredBy(file);
        ASSERT_TRUE(size.has_value());
        EXPECT_EQ(size->width, W);
        EXPECT_EQ(size->height, H);
        try {
            EXPECT_LE(LargestDifference(file), file.find("webp") != std::string::npos ? 3 : 1);
        } catch (const Exception& e) {
            ADD_FAILURE() << e.Message();
        }
    }
}

// Files cut short, declaring huge sizes or packing a bomb fail with the kind's error (or the
// raster ceiling's), quickly, and the picture keeps what it held.
TEST(RasterKinds, HostileFilesFailCleanlyAndFast) {
    const std::string dir = TempDir();
    const std::string png = dir + "/whole.png", tiff = dir + "/whole.tif";
    ASSERT_TRUE(WritePng(png, 40, 30, {PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false}));
    ASSERT_TRUE(WriteTiff(tiff, 40, 30, {PHOTOMETRIC_RGB, 8, 3, false, true, 1, COMPRESSION_ADOBE_DEFLATE}));
    const std::string webp = dir + "/whole.webp";
    ASSERT_TRUE(QImage(40, 30, QImage::Format_RGB32).save(QString::fromStdString(webp), "webp", 50));
    struct Case {
        std::string name;
        std::vector<std::uint8_t> bytes;
        const char* error;  // null: any error
    };
    std::vector<Case> cases;
    for (const std::string& whole : {png, tiff, webp, DataDir + "plain.gif", DataDir + "animated.webp"}) {
        const std::vector<std::uint8_t> bytes = ReadFileBytes(whole);
        for (std::size_t keep : {std::size_t(0), std::size_t(9), bytes.size() / 3, bytes.size() * 2 / 3})
            cases.push_back({"cut" + std::to_string(keep) + "." + ExtractExtension(whole),
                             std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + long(keep)),
                             "image is not valid"});
    }
    // Sizes past the raster ceiling, declared by otherwise sound headers.
    std::vector<std::uint8_t> hugePng = ReadFileBytes(png);
    hugePng[16] = hugePng[20] = 0x01;  // 16 M x 16 M
    const uLong crc = crc32(0, hugePng.data() + 12, 17);
    for (int i = 0; i < 4; ++i) hugePng[29 + i] = std::uint8_t(crc >> (24 - 8 * i));
    cases.push_back({"huge.png", hugePng, "Out of system resources"});
    std::vector<std::uint8_t> hugeGif = ReadFileBytes(DataDir + "plain.gif");
    hugeGif[6] = hugeGif[7] = hugeGif[8] = hugeGif[9] = 0xFF;
    cases.push_back({"huge.gif", hugeGif, "Out of system resources"});
    const std::string hugeTiff = dir + "/huge.tif";
    ASSERT_TRUE(WriteTiff(hugeTiff, 40, 30, {PHOTOMETRIC_RGB, 8, 3, false, false}));
    {
        TIFF* t = TIFFOpen(hugeTiff.c_str(), "r+");
        TIFFSetField(t, TIFFTAG_IMAGEWIDTH, 1 << 20);
        TIFFSetField(t, TIFFTAG_IMAGELENGTH, 1 << 20);
        TIFFRewriteDirectory(t);
        TIFFClose(t);
    }
    cases.push_back({"huge.tif", ReadFileBytes(hugeTiff), nullptr});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir + "/" + c.name;
        WriteFileBytes(path, c.bytes);
        TPicture picture;
        const auto start = std::chrono::steady_clock::now();
        std::string error;
        try {
            ReadFromFile(picture, path);
        } catch (const Exception& e) {
            error = e.Message();
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_TRUE(c.error ? error.find(c.error) != std::string::npos : !error.empty()) << error;
        EXPECT_EQ(picture.HeldGraphic(), nullptr);
    }
}

// A file of another kind, or cut inside its header, declares no size.
TEST(RasterKinds, AForeignOrShortHeaderDeclaresNoSize) {
    const std::string dir = TempDir();
    WriteFileBytes(dir + "/gif.png", ReadFileBytes(DataDir + "plain.gif"));
    WriteFileBytes(dir + "/short.gif", {'G', 'I', 'F', '8', '9', 'a', 0x13});
    EXPECT_FALSE(SizeDeclaredBy(dir + "/gif.png"));
    EXPECT_FALSE(SizeDeclaredBy(dir + "/short.gif"));
}

// The colour profile a TIFF holds is kept whole (PNG's and WebP's: the writers' round trip), and a
// TIFF's orientation as found.
TEST(RasterKinds, KeepTheTiffProfileAndOrientation) {
    const std::string dir = TempDir(), profiled = dir + "/profiled.tif";
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    image.setColorSpace(QColorSpace::DisplayP3);
    ASSERT_TRUE(image.save(QString::fromStdString(profiled), "tif"));
    TPicture profiledPicture;
    ReadFromFile(profiledPicture, profiled);
    const std::vector<std::uint8_t>& kept = profiledPicture.HeldGraphic()->Metadata().iccProfile;
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(kept.data()), qsizetype(kept.size())),
              image.colorSpace().iccProfile());
    const std::string turned = dir + "/turned.tif";
    ASSERT_TRUE(WriteTiff(turned, 5, 3, {PHOTOMETRIC_RGB, 8, 3, false, false, ORIENTATION_LEFTBOT}));
    TPicture picture;
    ReadFromFile(picture, turned);
    EXPECT_EQ(picture.HeldGraphic()->Metadata().orientation, ORIENTATION_LEFTBOT);
    EXPECT_EQ(picture.HeldGraphic()->Width(), 3);
}

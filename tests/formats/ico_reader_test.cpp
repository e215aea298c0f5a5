#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>

#include "core/Errors.h"
#include "core/TCanvas.h"
#include "core/TPicture.h"
#include "formats/IcoReader.h"
#include "formats/PictureLoading.h"
#include "formats/TIcon.h"
#include "tests/TestSupport.h"
#include "tests/formats/IcoTestFiles.h"

using namespace icotest;

namespace {

constexpr std::uint32_t Grey = 0x808080;  // the target's background, in TColor and row order alike

bool HaveIcotool() {
    return std::system("icotool --version >/dev/null 2>&1") == 0;
}

TIcon& ReadIcon(TIcon& icon, const Bytes& bytes) {
    TMemoryStream stream;
    stream.Data() = bytes;
    icon.ReadFromStream(stream);
    return icon;
}

// The icon drawn at (0, 0) on a grey raster, read back as TColor values.
class DrawnIcon {
public:
    explicit DrawnIcon(TIcon& icon) : raster_(platform::Bitmap::CreateDevice(64, 64)), canvas_(*raster_) {
        canvas_.Brush().SetColor(Grey);
        canvas_.FillRect(platform::Rect(0, 0, 64, 64));
        canvas_.DrawAt(0, 0, &icon);
    }
    std::uint32_t At(int x, int y) { return canvas_.ReadPixel(x, y); }

private:
    std::unique_ptr<platform::Bitmap> raster_;
    TRasterCanvas canvas_;
};

IcoImage Image(
    int size, int bitCount, std::vector<std::uint32_t> table, std::function<std::uint32_t(int, int)> px,
    std::function<bool(int, int)> transparent = [](int, int) { return false; }) {
    return IcoImage{size, size, bitCount, std::move(table), std::move(px), std::move(transparent)};
}

TEST(IcoReading, OwnFileReadsBackAsTheSameIcon) {
    std::vector<std::uint32_t> colors(32 * 32, 0);  // black where transparent: drawing leaves the target
    std::vector<std::uint8_t> mask(32 * 32, 1);
    colors[7 * 32 + 5] = 0xFF0000;  // red, as 0x00RRGGBB
    mask[7 * 32 + 5] = 0;
    TIcon original;
    original.AdoptHandle(platform::CreateIcon(32, 32, colors, mask));
    TMemoryStream file;
    original.WriteToStream(file);
    ASSERT_EQ(file.DataSize(), 766);

    TIcon copy;
    ReadIcon(copy, file.Data());
    EXPECT_FALSE(copy.IsEmpty());
    DrawnIcon drawn(copy);
    EXPECT_EQ(drawn.At(5, 7), 0x0000FFu);
    EXPECT_EQ(drawn.At(6, 7), Grey);
    EXPECT_EQ(drawn.At(31, 31), Grey);
    EXPECT_EQ(drawn.At(32, 7), Grey);  // drawn at its own size only
    // The bytes read are the bytes written again.
    TMemoryStream again;
    copy.WriteToStream(again);
    EXPECT_EQ(again.Data(), file.Data());
}

TEST(IcoReading, SizeIsTheSystemSizeUntilTheHandleIsMade) {
    TIcon icon;
    ReadIcon(icon, MakeIco({Image(16, 1, {0, 0xFFFFFF}, [](int, int) { return 1u; })}, {2}));
    EXPECT_EQ(icon.Width(), 32);
    ASSERT_NE(icon.Handle(), nullptr);
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(icon.Height(), 16);
}

TEST(IcoReading, HandWrittenDepthsDecodeWithTheirMasks) {
    // 1 bit: a checkerboard of black and red, with a transparent left strip.
    TIcon oneBit;
    ReadIcon(oneBit, MakeIco({Image(
                                 32, 1, {0x000000, 0xFF0000}, [](int x, int y) { return (x + y) % 2u; },
                                 [](int x, int) { return x < 4; })},
                             {2}));
    DrawnIcon one(oneBit);
    EXPECT_EQ(one.At(10, 10), 0x000000u);
    EXPECT_EQ(one.At(11, 10), 0x0000FFu);
    EXPECT_EQ(one.At(2, 2), Grey);

    // 8 bits: a grey ramp through a 256-entry table.
    std::vector<std::uint32_t> ramp(256);
    for (std::uint32_t i = 0; i < 256; ++i) ramp[i] = i * 0x010101;
    TIcon eightBit;
    ReadIcon(eightBit, MakeIco({Image(32, 8, ramp, [](int x, int) { return std::uint32_t(x * 8); })}, {0}));
    DrawnIcon eight(eightBit);
    EXPECT_EQ(eight.At(0, 5), 0x000000u);
    EXPECT_EQ(eight.At(31, 5), 248 * 0x010101u);

    // 32 bits: the alpha channel decides even where the AND mask says opaque.
    TIcon alphaIcon;
    ReadIcon(
        alphaIcon,
        MakeIco({Image(32, 32, {}, [](int x, int) { return x < 16 ? 0x00FF00FFu : 0xFF00FF00u; })}, {0}));
    DrawnIcon alpha(alphaIcon);
    EXPECT_EQ(alpha.At(3, 3), Grey);
    EXPECT_EQ(alpha.At(20, 3), 0x00FF00u);
}

TEST(IcoReading, ImageIsStretchedToTheEntrySize) {
    Bytes ico =
        MakeIco({Image(16, 4, {0x000000, 0xFF0000}, [](int x, int) { return x < 8 ? 0u : 1u; })}, {16});
    ico[6] = 32;  // the entry claims 32 x 32
    ico[7] = 32;
    TIcon icon;
    ReadIcon(icon, ico);
    DrawnIcon drawn(icon);
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(drawn.At(15, 31), 0x000000u);
    EXPECT_EQ(drawn.At(16, 31), 0x0000FFu);
    EXPECT_EQ(drawn.At(31, 0), 0x0000FFu);
}

TEST(IcoReading, BestEntryFollowsSizeThenColoursLaterWinningTies) {
    auto entries = [](std::vector<std::pair<int, std::uint32_t>> list) {
        std::vector<IcoEntry> out;
        for (auto [size, colors] : list) out.push_back(IcoEntry{size, size, colors, 0, 0});
        return out;
    };
    EXPECT_EQ(ChooseIcoEntry(entries({{16, 0}, {32, 0}, {48, 0}}), 32, 32, 0), 1);
    EXPECT_EQ(ChooseIcoEntry(entries({{16, 0}, {48, 0}}), 32, 32, 0), 0);  // smaller wins at equal distance
    EXPECT_EQ(ChooseIcoEntry(entries({{48, 0}, {16, 0}}), 32, 32, 0), 1);
    EXPECT_EQ(ChooseIcoEntry(entries({{32, 0}, {32, 0}}), 32, 32, 0), 1);
    EXPECT_EQ(ChooseIcoEntry(entries({{32, 16}, {32, 0}}), 32, 32, 0), 1);  // unlimited beats 16
    EXPECT_EQ(ChooseIcoEntry(entries({{32, 0}, {32, 16}}), 32, 32, 0), 0);
    EXPECT_EQ(ChooseIcoEntry(entries({{32, 256}, {32, 0}}), 32, 32, 256), 0);  // too many for the screen
    EXPECT_EQ(ChooseIcoEntry(entries({{48, 16}, {32, 16}, {24, 16}}), 32, 32, 0), 1);
}

TEST(IcoReading, RefusesDamagedAndTruncatedFiles) {
    TIcon source;
    source.AdoptHandle(platform::CreateIcon(32, 32, std::vector<std::uint32_t>(1024, 0xFF0000),
                                            std::vector<std::uint8_t>(1024, 0)));
    const Bytes good = source.FileBytes().Data();
    auto refused = [](const Bytes& bytes) {
        TIcon icon;
        try {
            ReadIcon(icon, bytes);
        } catch (const EInvalidGraphic& e) {
            return std::string(e.what()) == "Icon image is not valid" && icon.IsEmpty();
        }
        return false;
    };
    for (std::size_t n = 0; n < good.size(); ++n)
        ASSERT_TRUE(refused(Bytes(good.begin(), good.begin() + n))) << n;

    auto patched = [&](std::size_t at, std::initializer_list<std::uint8_t> bytes) {
        Bytes b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + at);
        return b;
    };
    EXPECT_TRUE(refused(patched(2, {2, 0})));                     // type 2
    EXPECT_TRUE(refused(patched(4, {0, 0})));                     // no entries
    EXPECT_TRUE(refused(patched(4, {0xFF, 0x00})));               // 255 entries in a one-entry file
    EXPECT_TRUE(refused(patched(18, {0xF0, 0xFF, 0xFF, 0xFF})));  // offset far past the end
    EXPECT_TRUE(refused(patched(14, {0xFF, 0xFF, 0xFF, 0x7F})));  // size far past the end
    EXPECT_TRUE(refused(patched(26, {0x00, 0x00, 0x10, 0x00})));  // width 1048576
    EXPECT_TRUE(refused(patched(30, {0x00, 0x00, 0x00, 0x80})));  // negative height
    EXPECT_TRUE(refused(patched(36, {16, 0})));                   // 16 bits per pixel
    EXPECT_TRUE(refused(patched(38, {1, 0, 0, 0})));              // compressed
    EXPECT_TRUE(refused(patched(22, {0x89, 'P', 'N', 'G'})));     // a PNG image
    EXPECT_FALSE(refused(good));
}

TEST(IcoReading, AFileOfTheMostFullSizeEntriesReads) {
    // 255 entries of 256 x 256 at 32 bits: a 65 MB file, each entry its own copy of one image.
    const Bytes image =
        MakeIcoImageData(Image(256, 32, {}, [](int x, int y) { return 0xFF000000u | x << 8 | y; }));
    const int count = 255;
    BmpBytes b;
    b.U16(0).U16(1).U16(count);
    for (std::uint32_t i = 0; i < count; ++i)
        b.U8(0)
            .U8(0)
            .U16(0)
            .U16(1)
            .U16(32)
            .U32(std::uint32_t(image.size()))
            .U32(std::uint32_t(6 + 16 * count + i * image.size()));
    for (int i = 0; i < count; ++i) b.Raw(image);
    ASSERT_GT(b.data.size(), 65000000u);
    TIcon icon;
    ReadIcon(icon, b.data);
    ASSERT_NE(icon.Handle(), nullptr);
    EXPECT_EQ(icon.Width(), 256);
}

TEST(IcoReading, StoredFormAndRegistryLoading) {
    const std::string dir = TempDir();
    TIcon source;
    source.AdoptHandle(platform::CreateIcon(32, 32, std::vector<std::uint32_t>(1024, 0x00FF00),
                                            std::vector<std::uint8_t>(1024, 0)));
    TMemoryStream stored;
    source.WritePictureData(stored);
    EXPECT_EQ(stored.DataSize(), 4 + 766);
    stored.SetPosition(0);
    TIcon copy;
    copy.ReadPictureData(stored);
    EXPECT_EQ(copy.FileBytes().Data(), source.FileBytes().Data());

    source.WriteToFile(dir + "/a.ico");
    TPicture picture;
    ReadFromFile(picture, dir + "/a.ico");
    ASSERT_NE(picture.HeldGraphic(), nullptr);
    EXPECT_STREQ(picture.HeldGraphic()->ClassName(), "TIcon");
}

// PNG input for icotool, made here: a transparent left half, an opaque colour on the right.
std::string WritePng(const std::string& dir, int size, QRgb color) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(size / 2, 0, size - size / 2, size, QColor::fromRgba(color));
    const std::string path = dir + "/in" + std::to_string(size) + ".png";
    EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG"));
    return path;
}

TEST(IcoInterchange, IcotoolReadsOurFileAsOne32x32Image) {
    if (!HaveIcotool()) GTEST_SKIP() << "icotool (package icoutils) is not installed";
    const std::string dir = TempDir();
    TIcon icon;
    icon.AdoptHandle(platform::CreateIcon(32, 32, std::vector<std::uint32_t>(1024, 0xFF0000),
                                          std::vector<std::uint8_t>(1024, 0)));
    icon.WriteToFile(dir + "/ours.ico");
    const std::string listing = dir + "/list.txt";
    ASSERT_EQ(std::system(("icotool -l " + dir + "/ours.ico >" + listing + " 2>&1").c_str()), 0);
    const Bytes text = ReadFile(listing);
    const std::string out(text.begin(), text.end());
    EXPECT_NE(out.find("--index=1 --width=32 --height=32"), std::string::npos) << out;
    EXPECT_EQ(out.find("--index=2"), std::string::npos) << out;
    ASSERT_EQ(std::system(("icotool -x -o " + dir + "/x.png " + dir + "/ours.ico >/dev/null 2>&1").c_str()),
              0);
    QImage extracted(QString::fromStdString(dir + "/x.png"));
    ASSERT_EQ(extracted.size(), QSize(32, 32));
    EXPECT_EQ(extracted.pixel(10, 10), qRgb(255, 0, 0));
}

TEST(IcoInterchange, ReadsIcotoolFilesAndPicksTheSystemSize) {
    if (!HaveIcotool()) GTEST_SKIP() << "icotool (package icoutils) is not installed";
    const std::string dir = TempDir();
    const std::string inputs = WritePng(dir, 16, qRgb(0, 0, 255)) + " " + WritePng(dir, 32, qRgb(0, 255, 0)) +
                               " " + WritePng(dir, 48, qRgb(255, 0, 0));
    ASSERT_EQ(std::system(("icotool -c -o " + dir + "/three.ico " + inputs + " >/dev/null 2>&1").c_str()), 0);
    TIcon icon;
    icon.ReadFromFile(dir + "/three.ico");
    DrawnIcon drawn(icon);
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(drawn.At(3, 3), Grey);
    EXPECT_EQ(drawn.At(20, 3), 0x00FF00u);
    EXPECT_EQ(drawn.At(40, 3), Grey);

    // Forced to 8 bits per pixel the colours come through a table.
    ASSERT_EQ(std::system(("icotool -c -b 8 -o " + dir + "/eight.ico " + WritePng(dir, 32, qRgb(0, 0, 255)) +
                           " >/dev/null 2>&1")
                              .c_str()),
              0);
    TIcon eight;
    eight.ReadFromFile(dir + "/eight.ico");
    DrawnIcon drawnEight(eight);
    EXPECT_EQ(drawnEight.At(3, 3), Grey);
    EXPECT_EQ(drawnEight.At(20, 3), 0xFF0000u);
}

}  // namespace

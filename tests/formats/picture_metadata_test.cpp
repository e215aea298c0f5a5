// Pictures upright by their EXIF orientation, colour profiles carried into the files written, and
// hostile metadata that must not harm the picture.
#include <gtest/gtest.h>

#include <QColorSpace>
#include <QImage>

#include "core/TPicture.h"
#include "core/WorkingRaster.h"
#include "formats/BmpEmbeddedProfile.h"
#include "formats/JpegRegistration.h"
#include "formats/PictureLoading.h"
#include "formats/PngWriter.h"
#include "formats/TJPEGImage.h"
#include "formats/WebpWriter.h"
#include "tests/TestSupport.h"
#include "tests/formats/BmpBytes.h"
#include "tests/formats/JpegTestPictures.h"
#include "tests/formats/MetadataTestFiles.h"

namespace {

// The picture a file holds, loaded as the programs load it, as its working raster.
struct Loaded {
    TPicture picture;
    int width = 0, height = 0;  // as the graphic reported them before decoding
    TPictureMetadata metadata;  // as the graphic holds it
};

void Load(Loaded& loaded, const std::string& path) {
    RegisterJpegFormats();
    ReadFromFile(loaded.picture, path);
    loaded.width = loaded.picture.HeldGraphic()->Width();
    loaded.height = loaded.picture.HeldGraphic()->Height();
    loaded.metadata = loaded.picture.HeldGraphic()->Metadata();
    WorkingRaster(loaded.picture);
}

std::string Saved(const std::vector<std::uint8_t>& bytes, const std::string& name) {
    const std::string path = TempDir() + "/" + name;
    WriteFileBytes(path, bytes);
    return path;
}

}  // namespace

// Each orientation's file holds the same scan; shown upright, pixel (u, v) is the stored pixel the
// EXIF definition names. Stored 37 x 83: bands and tiles end inside the picture. Colour and grey
// (decoded to one byte a pixel) alike.
TEST(PictureMetadata, EveryExifOrientationShowsThePixelsUpright) {
    constexpr int W = 37, H = 83;
    TBitmap stored;
    MakePhoto(stored, W, H);
    // Upright (u, v) is stored (x, y) of (u, v), or of (v, u) where the sides swap, mirrored as named.
    struct Case {
        int orientation;
        bool swaps, mirrorsX, mirrorsY;
    };
    const Case cases[] = {{1, false, false, false}, {2, false, true, false}, {3, false, true, true},
                          {4, false, false, true},  {5, true, false, false}, {6, true, false, true},
                          {7, true, true, true},    {8, true, true, false}};
    for (const bool gray : {false, true}) {
        Loaded reference;
        Load(reference, Saved(JpegWithMetadata(stored, {}, gray), "o1.jpg"));
        TBitmap& expected = reference.picture.AsBitmap();
        const int bytes = gray ? 1 : 3;
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.orientation << (gray ? " grey" : " colour"));
            TPictureMetadata metadata;
            metadata.exif = ExifBlock(c.orientation,
                                      c.orientation % 2 ? EXIF_BYTE_ORDER_INTEL : EXIF_BYTE_ORDER_MOTOROLA);
            Loaded turned;
            Load(turned, Saved(JpegWithMetadata(stored, metadata, gray), "o.jpg"));
            TBitmap& upright = turned.picture.AsBitmap();
            ASSERT_EQ(upright.RasterFormat(), gray ? rf8Bit : rf24Bit);
            EXPECT_EQ(turned.metadata.orientation, c.orientation);
            EXPECT_EQ(turned.width, c.swaps ? H : W);
            EXPECT_EQ(turned.height, c.swaps ? W : H);
            EXPECT_EQ(upright.Metadata().orientation, 1);
            ASSERT_EQ(upright.Width(), turned.width);
            ASSERT_EQ(upright.Height(), turned.height);
            int wrong = 0;
            for (int v = 0; v < upright.Height(); ++v)
                for (int u = 0; u < upright.Width(); ++u) {
                    const int a = c.swaps ? v : u, b = c.swaps ? u : v;
                    const int x = c.mirrorsX ? W - 1 - a : a, y = c.mirrorsY ? H - 1 - b : b;
                    wrong += std::memcmp(upright.Row(v) + bytes * u, expected.Row(y) + bytes * x,
                                         std::size_t(bytes)) != 0;
                }
            EXPECT_EQ(wrong, 0);
        }
    }
}

// PNG and lossless WebP give back every pixel, lossy WebP nearly, and each holds the profile whole,
// as Qt reads them back and as our readers keep it. The raster is bottom-up and of odd width.
TEST(PictureMetadata, PngAndWebpRoundTripWithTheirProfile) {
    TBitmap raster, back;
    MakePhoto(raster, 37, 29);
    const QByteArray profile = QColorSpace(QColorSpace::DisplayP3).iccProfile();
    TPictureMetadata metadata;
    metadata.iccProfile.assign(profile.begin(), profile.end());
    raster.SetMetadata(metadata);
    MakePhoto(back, 37, 29);
    for (const char* kind : {"png", "webp-lossless", "webp"}) {
        SCOPED_TRACE(kind);
        const std::string path = TempDir() + "/out." + (kind[0] == 'p' ? "png" : "webp");
        if (kind[0] == 'p')
            WritePngFile(raster, path);
        else
            WriteWebpFile(raster, WebpWriteSettings{90, kind[4] == '-'}, path);
        const QImage read(QString::fromStdString(path));
        EXPECT_EQ(read.colorSpace().iccProfile(), profile);
        TPicture ours;
        ReadFromFile(ours, path);
        EXPECT_EQ(ours.HeldGraphic()->Metadata().iccProfile, metadata.iccProfile);
        const QImage image = read.convertToFormat(QImage::Format_BGR888);
        ASSERT_EQ(image.size(), QSize(37, 29));
        for (int y = 0; y < 29; ++y) std::memcpy(back.Row(y), image.constScanLine(y), 37 * 3);
        EXPECT_GE(Psnr(raster, back), std::strcmp(kind, "webp") == 0 ? 30 : 99);
    }
}

namespace {

std::vector<std::uint8_t> Marker(int code, const std::string& prefix, const std::vector<std::uint8_t>& data) {
    const std::size_t length = 2 + prefix.size() + data.size();
    std::vector<std::uint8_t> m(2 + length);
    m[0] = 0xFF, m[1] = std::uint8_t(code), m[2] = std::uint8_t(length >> 8), m[3] = std::uint8_t(length);
    std::copy(prefix.begin(), prefix.end(), m.begin() + 4);
    std::copy(data.begin(), data.end(), m.begin() + 4 + std::ptrdiff_t(prefix.size()));
    return m;
}

const std::string ExifPrefix("Exif\0\0", 6);
const std::string IccPrefix("ICC_PROFILE\0", 12);

std::vector<std::uint8_t> IccMarker(int sequence, int count, const std::vector<std::uint8_t>& data) {
    return Marker(0xE2, IccPrefix + char(sequence) + char(count), data);
}

}  // namespace

// Damaged or lying EXIF and profile markers leave the picture whole and upright as stored, and no
// unsound profile reaches the file written (EXIF carried on request, through libexif's rewrite).
TEST(PictureMetadata, HostileExifAndProfileMarkersAreIgnoredSafely) {
    constexpr int W = 21, H = 13;
    TBitmap stored;
    MakePhoto(stored, W, H);
    const std::vector<std::uint8_t> plain = JpegWithMetadata(stored, {});
    const std::vector<std::uint8_t> exif6 = ExifBlock(6, EXIF_BYTE_ORDER_INTEL);
    std::vector<std::uint8_t> lyingProfile = TestProfile(600);
    lyingProfile[1] = 0x0F;  // claims a megabyte
    struct Case {
        const char* name;
        std::vector<std::uint8_t> markers;
        int orientation;
        std::size_t profileRead;
    };
    const Case cases[] = {
        {"EXIF cut short", Marker(0xE1, ExifPrefix, {exif6.begin(), exif6.begin() + 12}), 1, 0},
        {"EXIF of 65535 entries",
         Marker(0xE1, ExifPrefix, {'I', 'I', 42, 0, 8, 0, 0, 0, 0xFF, 0xFF, 1, 1, 3, 0}), 1, 0},
        {"EXIF directory far past its end",
         Marker(0xE1, ExifPrefix, {'I', 'I', 42, 0, 0xF0, 0xFF, 0xFF, 0xFF}), 1, 0},
        {"EXIF orientation 9", Marker(0xE1, ExifPrefix, ExifBlock(9, EXIF_BYTE_ORDER_MOTOROLA)), 1, 0},
        {"first of two profile markers", IccMarker(1, 2, TestProfile(600)), 1, 0},
        {"profile marker numbered 0", IccMarker(0, 1, TestProfile(600)), 1, 0},
        {"profile lying about its length", IccMarker(1, 1, lyingProfile), 1, 600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> file(plain.begin(), plain.begin() + 2);
        file.insert(file.end(), c.markers.begin(), c.markers.end());
        file.insert(file.end(), plain.begin() + 2, plain.end());
        Loaded loaded;
        Load(loaded, Saved(file, "hostile.jpg"));
        EXPECT_EQ(loaded.metadata.orientation, c.orientation);
        EXPECT_EQ(loaded.metadata.iccProfile.size(), c.profileRead);
        TBitmap& raster = loaded.picture.AsBitmap();
        EXPECT_EQ(raster.Width(), W);
        EXPECT_EQ(raster.Height(), H);
        TJPEGImage jpeg;
        jpeg.CopyFrom(loaded.picture.HeldGraphic());
        JpegWriteSettings keepAll;
        keepAll.keepExif = true;
        jpeg.Encode(keepAll);
        EXPECT_TRUE(JoinedApp2Profile(JpegMarkers(jpeg.Store()->Bytes->Data())).empty());
    }
}

// A BMP with a 124-byte header names its embedded profile by offset and size; only one lying wholly
// inside the file, after the headers, is taken.
TEST(PictureMetadata, ABmpEmbeddedProfileIsReadOnlyFromInsideTheFile) {
    const std::vector<std::uint8_t> profile = TestProfile(300);
    constexpr std::uint32_t PixelBytes = 16, ProfileAt = 124 + PixelBytes;  // from the header's start
    const std::uint32_t Embedded = 0x4D424544, Srgb = 0x73524742;
    struct Case {
        const char* name;
        std::uint32_t colorSpace, offset, size;
        bool read;
    };
    const Case cases[] = {
        {"embedded", Embedded, ProfileAt, 300, true},
        {"not embedded", Srgb, ProfileAt, 300, false},
        {"one byte past the end", Embedded, ProfileAt, 301, false},
        {"offset past the end", Embedded, 0xFFFFFF00, 300, false},
        {"size near 4 GB", Embedded, ProfileAt, 0xFFFFFFFF, false},
        {"inside the headers", Embedded, 0, 300, false},
        {"empty", Embedded, ProfileAt, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BmpBytes bmp;
        bmp.U16(0x4D42).U32(14 + 124 + PixelBytes + 300).U32(0).U32(14 + 124);
        bmp.U32(124).U32(2).U32(2).U16(1).U16(24).U32(0).U32(PixelBytes).U32(0).U32(0).U32(0).U32(0);
        bmp.Fill(16, 0).U32(c.colorSpace).Fill(36 + 12, 0).U32(4).U32(c.offset).U32(c.size).U32(0);
        bmp.Fill(PixelBytes, 0x80).Raw(profile);
        Loaded loaded;
        Load(loaded, Saved(bmp.data, "v5.bmp"));
        EXPECT_EQ(loaded.metadata.iccProfile, c.read ? profile : std::vector<std::uint8_t>{});
        EXPECT_EQ(loaded.picture.AsBitmap().Width(), 2);
    }
}

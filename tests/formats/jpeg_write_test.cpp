#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <filesystem>

#include "core/Errors.h"
#include "formats/JpegCodec.h"
#include "formats/JpegRegistration.h"
#include "formats/JpegSave.h"
#include "formats/TIcon.h"
#include "formats/TJPEGImage.h"
#include "tests/TestSupport.h"
#include "tests/formats/JpegTestPictures.h"

namespace {

std::vector<std::uint8_t> StoreBytes(const TJPEGImage& jpeg) {
    return jpeg.Store()->Bytes->Data();
}

// Decodes with the codec alone, red first, so the check does not lean on our own decoder.
std::vector<std::uint8_t> DecodeRgb(const std::vector<std::uint8_t>& file, int& width, int& height) {
    jpeg_decompress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_decompress(&c);
    jpeg_mem_src(&c, file.data(), (unsigned long)file.size());
    jpeg_read_header(&c, TRUE);
    c.out_color_space = JCS_RGB;
    jpeg_start_decompress(&c);
    width = int(c.output_width), height = int(c.output_height);
    std::vector<std::uint8_t> pixels(std::size_t(width) * height * 3);
    while (c.output_scanline < c.output_height) {
        JSAMPROW row = pixels.data() + std::size_t(c.output_scanline) * width * 3;
        jpeg_read_scanlines(&c, &row, 1);
    }
    jpeg_finish_decompress(&c);
    jpeg_destroy_decompress(&c);
    return pixels;
}

class JpegWrite : public ::testing::Test {
protected:
    void SetUp() override { RegisterJpegFormats(); }
    std::string dir_ = TempDir();
};

TEST_F(JpegWrite, QualityScalingOfTheTables) {
    TBitmap photo;
    MakePhoto(photo, 64, 48);

    EXPECT_EQ(EncodeBitmap(photo, 0), EncodeBitmap(photo, 1)) << "slider at 0 encodes like quality 1";

    for (auto& [id, table] : QuantTables(EncodeBitmap(photo, 100)))
        for (int v : table) ASSERT_EQ(v, 1) << "table " << id;

    const std::array<int, 64> luminance = {
        16, 11,  10,  16, 24, 40, 51, 61, 12,  12,  14,  19,  26, 58, 60, 55,  14,  13,  16,  24, 40, 57,
        69, 56,  14,  17, 22, 29, 51, 87, 80,  62,  18,  22,  37, 56, 68, 109, 103, 77,  24,  35, 55, 64,
        81, 104, 113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98,  112, 100, 103, 99};
    std::array<int, 64> chrominance;
    chrominance.fill(99);
    const int chromaTop[4][4] = {{17, 18, 24, 47}, {18, 21, 26, 66}, {24, 26, 56, 99}, {47, 66, 99, 99}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) chrominance[std::size_t(r * 8 + c)] = chromaTop[r][c];
    auto tables = QuantTables(EncodeBitmap(photo, 50));
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0], luminance);
    EXPECT_EQ(tables[1], chrominance);
}

TEST_F(JpegWrite, FileLayout) {
    TBitmap photo;
    MakePhoto(photo, 40, 30);
    auto file = EncodeBitmap(photo, 75);
    ASSERT_GT(file.size(), 4u);
    EXPECT_EQ(file[0], 0xFF);
    EXPECT_EQ(file[1], 0xD8);
    EXPECT_EQ(file[file.size() - 2], 0xFF);
    EXPECT_EQ(file[file.size() - 1], 0xD9);

    auto markers = JpegMarkers(file);
    ASSERT_FALSE(markers.empty());
    ASSERT_EQ(markers[0].first, 0xE0);
    const std::vector<std::uint8_t> jfif = {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
    EXPECT_EQ(markers[0].second, jfif) << "JFIF 1.01, aspect ratio only, 1 x 1";
    bool sawSof = false;
    for (auto& [code, payload] : markers) {
        EXPECT_NE(code, 0xEE) << "no Adobe marker";
        EXPECT_NE(code, 0xDD) << "no restart interval";
        if (code != 0xC0) continue;
        sawSof = true;  // baseline: precision, height, width, 3 components sampled 2x2, 1x1, 1x1
        EXPECT_EQ(payload[0], 8);
        EXPECT_EQ((payload[1] << 8) | payload[2], 30);
        EXPECT_EQ((payload[3] << 8) | payload[4], 40);
        ASSERT_EQ(payload[5], 3);
        EXPECT_EQ(payload[7], 0x22);
        EXPECT_EQ(payload[10], 0x11);
        EXPECT_EQ(payload[13], 0x11);
    }
    EXPECT_TRUE(sawSof);

    int graySofs = 0;
    for (auto& [code, payload] : JpegMarkers(EncodeBitmap(photo, 75, true))) {
        if (code != 0xC0) continue;
        ++graySofs;
        EXPECT_EQ(payload[5], 1) << "greyscale has one component";
    }
    EXPECT_EQ(graySofs, 1);
    bool progressiveSof = false;
    for (auto& [code, payload] : JpegMarkers(EncodeBitmap(photo, 75, false, true)))
        progressiveSof |= code == 0xC2;
    EXPECT_TRUE(progressiveSof);
}

TEST_F(JpegWrite, ColoursKeepTheirPlaceAndQualityHolds) {
    TBitmap halves;
    MakeHalves(halves, 32, 16, clRed, clBlue);
    int w = 0, h = 0;
    auto rgb = DecodeRgb(EncodeBitmap(halves, 95), w, h);
    ASSERT_EQ(w, 32);
    EXPECT_GT(rgb[0], 230);  // left pixel red
    EXPECT_LT(rgb[2], 30);
    EXPECT_LT(rgb[3 * 31], 30);  // right pixel blue
    EXPECT_GT(rgb[3 * 31 + 2], 230);

    TBitmap photo;
    MakePhoto(photo, 301, 203);
    TJPEGImage jpeg;
    jpeg.CopyFrom(&photo);
    jpeg.Encode(DefaultJpegWriteSettings());  // default quality 90
    TJPEGImage back;
    TMemoryStream stream;
    jpeg.WriteToStream(stream);
    stream.SetPosition(0);
    back.ReadFromStream(stream);
    TBitmap& decoded = back.DecodedBitmap();
    ASSERT_EQ(decoded.Width(), 301);
    ASSERT_EQ(decoded.Height(), 203);
    EXPECT_GE(Psnr(photo, decoded), 35.0);
}

TEST_F(JpegWrite, RowOrderAndHeightOne) {
    TBitmap bottomUp, topDown;
    MakePhoto(bottomUp, 35, 39, false);
    MakePhoto(topDown, 35, 39, true);
    EXPECT_EQ(EncodeBitmap(bottomUp, 80), EncodeBitmap(topDown, 80));

    // A raster of another layout is encoded from a 24-bit copy and keeps its own format.
    TBitmap device;
    device.SetWidth(35);
    device.SetHeight(39);
    ASSERT_EQ(device.RasterFormat(), rfDevice);
    for (int y = 0; y < 39; ++y)
        for (int x = 0; x < 35; ++x) {
            auto p = PhotoPixel(x, y);
            device.Surface().WritePixel(x, y, platform::RGB(p[2], p[1], p[0]));
        }
    TJPEGImage fromDevice;
    fromDevice.CopyFrom(&device);
    fromDevice.Encode(JpegSettingsAtQuality(80));
    EXPECT_EQ(fromDevice.Store()->Bytes->Data(), EncodeBitmap(bottomUp, 80));
    EXPECT_EQ(fromDevice.Decoded()->RasterFormat(), rfDevice);

    TBitmap line;
    MakePhoto(line, 37, 1);
    TJPEGImage jpeg;
    jpeg.CopyFrom(&line);
    jpeg.Encode(JpegSettingsAtQuality(100));
    TJPEGImage back;
    TMemoryStream stream;
    jpeg.WriteToStream(stream);
    stream.SetPosition(0);
    back.ReadFromStream(stream);
    EXPECT_EQ(back.Width(), 37);
    EXPECT_EQ(back.Height(), 1);
    EXPECT_GE(Psnr(line, back.DecodedBitmap()), 30.0);
}

TEST_F(JpegWrite, EmptyPicturesWriteEmptyFiles) {
    const std::string path = dir_ + "/empty.jpg";
    TBitmap empty;
    empty.SetWidth(64);  // a width alone makes no pixels
    TJPEGImage jpeg;
    jpeg.CopyFrom(&empty);
    jpeg.Encode(DefaultJpegWriteSettings());
    ASSERT_TRUE(jpeg.Store()->Bytes);
    EXPECT_EQ(jpeg.Store()->Bytes->DataSize(), 0);
    EXPECT_FALSE(jpeg.IsEmpty()) << "present bytes, even none, count as content";
    jpeg.WriteToFile(path);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);

    TJPEGImage fresh;  // never given a raster
    EXPECT_TRUE(fresh.IsEmpty());
    fresh.WriteToFile(dir_ + "/fresh.jpg");
    EXPECT_EQ(std::filesystem::file_size(dir_ + "/fresh.jpg"), 0u);
}

TEST_F(JpegWrite, CodecRefusalWritesNoFile) {
    const std::string path = dir_ + "/wide.jpg";
    TBitmap wide;
    wide.SetRasterFormat(rf24Bit);
    wide.SetWidth(65501);
    wide.SetHeight(1);
    TJPEGImage jpeg;
    jpeg.CopyFrom(&wide);
    std::vector<TProgressStage> stages;
    std::vector<int> percents;
    jpeg.OnProgress = [&](TGraphic&, TProgressStage stage, std::uint8_t percent, bool, const TRect&,
                          const std::string&) {
        stages.push_back(stage);
        percents.push_back(percent);
    };
    try {
        jpeg.WriteToFile(path);
        FAIL() << "expected EJPEG";
    } catch (const EJPEG& e) {
        EXPECT_STREQ(e.what(), "JPEG error #41");
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(stages, (std::vector<TProgressStage>{psStarting, psEnding}));
    EXPECT_EQ(percents.back(), 0);
    EXPECT_FALSE(jpeg.Store()->Bytes) << "a failed encode leaves no bytes to pass for a picture";
}

TEST_F(JpegWrite, SharedStoreIsNeverAltered) {
    TBitmap photo;
    MakePhoto(photo, 50, 40);
    TJPEGImage first;
    first.CopyFrom(&photo);
    first.Encode(DefaultJpegWriteSettings());
    const auto original = StoreBytes(first);

    TJPEGImage second;
    second.CopyFrom(&first);
    EXPECT_EQ(second.Store(), first.Store()) << "bytes are shared, not copied";
    ASSERT_NE(second.Decoded(), nullptr);
    second.Encode(JpegSettingsAtQuality(10));
    EXPECT_NE(second.Store(), first.Store());
    EXPECT_EQ(StoreBytes(first), original);
    EXPECT_NE(StoreBytes(second), original);
}

TEST_F(JpegWrite, CancelledEncodeKeepsTheRaster) {
    TBitmap photo;
    MakePhoto(photo, 20, 20);
    TJPEGImage jpeg;
    jpeg.CopyFrom(&photo);
    jpeg.OnProgress = [](TGraphic&, TProgressStage stage, std::uint8_t, bool, const TRect&,
                         const std::string&) {
        if (stage == psStarting) throw EAbort("");
    };
    EXPECT_NO_THROW(jpeg.Encode(DefaultJpegWriteSettings()));
    EXPECT_FALSE(jpeg.Store()->Bytes);
    EXPECT_EQ(jpeg.Width(), 20);
}

// Accepts only part of each write, as a full disk does.
class ShortStream : public TMemoryStream {
public:
    std::size_t Write(const void* buffer, std::size_t count) override {
        ++writes;
        return TMemoryStream::Write(buffer, count / 2);
    }
    int writes = 0;
};

TEST_F(JpegWrite, WritingIsOneCheckedWrite) {
    TBitmap photo;
    MakePhoto(photo, 30, 30);
    TJPEGImage jpeg;
    jpeg.CopyFrom(&photo);
    ShortStream stream;
    try {
        jpeg.WriteToStream(stream);
        FAIL() << "expected EWriteError";
    } catch (const EWriteError& e) {
        EXPECT_STREQ(e.what(), "Stream write error");
    }
    EXPECT_EQ(stream.writes, 1);
}

// The encoder's own callbacks (its output and its progress) fail inside the codec; what they raise
// must come out of the codec unchanged, and the same encoder refuses codec errors as EJPEG.
TEST_F(JpegWrite, ErrorsFromInsideTheEncoderReachTheCaller) {
    const int w = 64, h = 64;
    std::vector<std::uint8_t> rows(std::size_t(w) * h * 3);
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = std::uint8_t(i * 2654435761u >> 13);
    JpegEncodeSettings settings;
    settings.width = w, settings.height = h, settings.quality = 100;

    ShortStream full;
    EXPECT_THROW(JpegCompress(settings, rows.data(), w * 3, full, nullptr), EWriteError);
    EXPECT_EQ(full.writes, 1) << "the codec stops at the first failed block";

    JpegProgress cancelling{[](std::uint8_t, bool, const TRect&) { throw EAbort(""); }, 0};
    TMemoryStream output;
    EXPECT_THROW(JpegCompress(settings, rows.data(), w * 3, output, &cancelling), EAbort);

    settings.width = 65501;  // beyond the codec's limit
    EXPECT_THROW(JpegCompress(settings, rows.data(), 0, output, nullptr), EJPEG);
    settings.width = w;
    TMemoryStream whole;
    JpegCompress(settings, rows.data(), w * 3, whole, nullptr);
    EXPECT_GT(whole.DataSize(), 4096) << "the noise fills more than one output block";
}

TEST_F(JpegWrite, RefusedAssignmentsAndResizing) {
    TJPEGImage jpeg;
    TIcon icon;
    auto message = [](auto&& call) {
        try {
            call();
        } catch (const Exception& e) {
            return std::string(e.ClassName()) + ": " + e.what();
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { jpeg.CopyFrom(nullptr); }), "EConvertError: Cannot assign a nil to a TJPEGImage");
    EXPECT_EQ(message([&] { jpeg.CopyFrom(&icon); }), "EConvertError: Cannot assign a TIcon to a TJPEGImage");
    EXPECT_EQ(message([&] { jpeg.CopyTo(icon); }), "EConvertError: Cannot assign a TJPEGImage to a TIcon");

    TBitmap photo;
    MakePhoto(photo, 12, 9);
    jpeg.CopyFrom(&photo);
    EXPECT_EQ(message([&] { jpeg.SetWidth(5); }),
              "EInvalidGraphicOperation: Cannot change the size of a JPEG image");
    EXPECT_EQ(message([&] { jpeg.SetHeight(5); }),
              "EInvalidGraphicOperation: Cannot change the size of a JPEG image");
    EXPECT_EQ(jpeg.Width(), 12);
    EXPECT_EQ(jpeg.Height(), 9);
}

}  // namespace

// The save takes its quality as a number checked where it enters: the slider's 0 writes what 1
// writes, and a number out of range is refused before an existing target is touched.
TEST_F(JpegWrite, TheSaveChecksItsQualityBeforeWriting) {
    TBitmap photo;
    MakePhoto(photo, 17, 9);
    const std::string target = dir_ + "/kept.jpg";
    const std::vector<std::uint8_t> kept = {1, 2, 3};
    for (const int quality : {0, -1, 101, 256}) {
        SCOPED_TRACE(quality);
        WriteFileBytes(target, kept);
        JpegWriteSettings settings;
        settings.quality = quality;
        EXPECT_THROW(SaveJpeg(photo, target, settings), EInvalidOperation);
        EXPECT_THROW(JpegSettingsAtQuality(quality), EInvalidOperation);
        EXPECT_EQ(ReadFileBytes(target), kept);
    }
    for (const int position : {-1, 101}) EXPECT_THROW(QualityOfSliderPosition(position), EInvalidOperation);
    for (const int position : {0, 1, 100}) {
        SCOPED_TRACE(position);
        SaveJpeg(photo, target, JpegSettingsAtQuality(QualityOfSliderPosition(position)));
        EXPECT_EQ(ReadFileBytes(target), EncodeBitmap(photo, position == 0 ? 1 : position));
    }
}

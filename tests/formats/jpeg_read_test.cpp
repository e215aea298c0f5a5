#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <set>

#include "core/Errors.h"
#include "core/TCanvas.h"
#include "core/TPicture.h"
#include "formats/JpegCodec.h"
#include "formats/JpegRegistration.h"
#include "formats/PictureLoading.h"
#include "formats/TFileFormatsList.h"
#include "formats/TJPEGImage.h"
#include "tests/TestSupport.h"
#include "tests/formats/JpegTestPictures.h"

namespace {

void Load(TJPEGImage& jpeg, const std::vector<std::uint8_t>& file) {
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), file.size());
    stream.SetPosition(0);
    jpeg.ReadFromStream(stream);
}

std::string ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Exception& e) {
        return std::string(e.ClassName()) + ": " + e.what();
    }
    return "no error";
}

class JpegRead : public ::testing::Test {
protected:
    void SetUp() override { RegisterJpegFormats(); }
    void Draw(TGraphic& graphic) {
        TRasterCanvas canvas(*screen_);
        graphic.DrawInRect(canvas, platform::Rect(0, 0, 64, 48));
    }
    std::string dir_ = TempDir();
    std::unique_ptr<platform::Bitmap> screen_ = platform::Bitmap::CreateDevice(64, 48);
};

TEST_F(JpegRead, HeaderFactsBeforeDecoding) {
    TBitmap photo;
    MakePhoto(photo, 300, 200);
    TJPEGImage jpeg;
    Load(jpeg, EncodeBitmap(photo, 90, false, true));
    EXPECT_EQ(jpeg.Width(), 300);
    EXPECT_EQ(jpeg.Height(), 200);
    EXPECT_EQ(jpeg.Decoded(), nullptr) << "nothing decoded yet";
    EXPECT_TRUE(jpeg.FileIsProgressive());
    EXPECT_FALSE(jpeg.Store()->IsGray);
    EXPECT_TRUE(jpeg.PaletteModified());

    TJPEGImage gray;
    Load(gray, EncodeBitmap(photo, 90, true));
    EXPECT_TRUE(gray.Store()->IsGray);
    EXPECT_FALSE(gray.FileIsProgressive());

    jpeg.SetDecodeScale(ScaleHalf);
    EXPECT_EQ(jpeg.Width(), 150);
    EXPECT_EQ(jpeg.Height(), 100);
    EXPECT_EQ(jpeg.Decoded(), nullptr);
}

TEST_F(JpegRead, ProgressiveAndBufferedDecodingAgree) {
    TBitmap photo;
    MakePhoto(photo, 123, 77);
    const auto file = EncodeBitmap(photo, 90, false, true);
    TJPEGImage plain, scans;
    Load(plain, file);
    Load(scans, file);
    scans.ShowScans = true;
    TBitmap& a = plain.DecodedBitmap();
    TBitmap& b = scans.DecodedBitmap();
    ASSERT_EQ(a.RasterFormat(), rf24Bit);
    EXPECT_GE(Psnr(photo, a), 35.0);
    EXPECT_EQ(Psnr(a, b), 99.0) << "the final pass of scan-by-scan display is the full decode";
}

TEST_F(JpegRead, GreyscaleDecodesToEightBitsWithGreyPalette) {
    TBitmap photo;
    MakePhoto(photo, 64, 40);
    TJPEGImage jpeg;
    Load(jpeg, EncodeBitmap(photo, 90, true));
    int changes = 0;
    jpeg.OnChange = [&](TGraphic&) { ++changes; };
    TBitmap& bmp = jpeg.DecodedBitmap();
    EXPECT_EQ(bmp.RasterFormat(), rf8Bit);
    auto table = bmp.ColorTable();
    ASSERT_FALSE(table.empty());
    EXPECT_LE(table.size(), 236u);
    for (auto& q : table) EXPECT_TRUE(q.red == q.green && q.green == q.blue);
    EXPECT_EQ(changes, 1) << "the new palette is announced";
    // A pixel reads back close to the luminance of the original.
    auto p = PhotoPixel(10, 10);
    const double luma = 0.299 * p[2] + 0.587 * p[1] + 0.114 * p[0];
    EXPECT_NEAR(bmp.Surface().ReadPixel(10, 10) & 0xFF, luma, 12);

    TJPEGImage scans;  // buffered display of a progressive greyscale file ends the same way
    Load(scans, EncodeBitmap(photo, 90, true, true));
    scans.ShowScans = true;
    EXPECT_EQ(scans.DecodedBitmap().RasterFormat(), rf8Bit);
}

TEST_F(JpegRead, EightBitDepthQuantisesColour) {
    TBitmap halves;
    MakeHalves(halves, 40, 20, clRed, clBlue);
    for (bool showScans : {false, true}) {
        TJPEGImage jpeg;
        Load(jpeg, EncodeBitmap(halves, 95, false, showScans));
        jpeg.DecodeDepth = Depth8;
        jpeg.ShowScans = showScans;
        TBitmap& bmp = jpeg.DecodedBitmap();
        ASSERT_EQ(bmp.RasterFormat(), rf8Bit);
        EXPECT_LE(bmp.ColorTable().size(), 236u);
        ASSERT_NE(bmp.Palette(), nullptr);
        const TColor left = bmp.Surface().ReadPixel(2, 10), right = bmp.Surface().ReadPixel(37, 10);
        EXPECT_GT(platform::GetRValue(left), 200) << std::hex << left;
        EXPECT_LT(platform::GetBValue(left), 60) << std::hex << left;
        EXPECT_GT(platform::GetBValue(right), 200) << std::hex << right;
        EXPECT_LT(platform::GetRValue(right), 60) << std::hex << right;
    }
}

TEST_F(JpegRead, BrokenInputThroughThePictureHolder) {
    TPicture picture;
    TBitmap previous;
    MakePhoto(previous, 8, 8);
    picture.ReplaceGraphic(&previous);
    TGraphic* held = picture.HeldGraphic();

    const std::string notJpeg = dir_ + "/picture.jpg";
    WriteFileBytes(notJpeg, {'B', 'M', 0x3E, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(ErrorOf([&] { ReadFromFile(picture, notJpeg); }), "EJPEG: JPEG error #53");
    EXPECT_EQ(picture.HeldGraphic(), held) << "the holder keeps its old graphic";

    const std::string empty = dir_ + "/empty.jpg";
    WriteFileBytes(empty, {});
    ReadFromFile(picture, empty);
    auto* jpeg = dynamic_cast<TJPEGImage*>(picture.HeldGraphic());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->Width(), 0);
    EXPECT_EQ(jpeg->Height(), 0);
    EXPECT_FALSE(jpeg->IsEmpty());
    EXPECT_EQ(ErrorOf([&] { Draw(*jpeg); }), "EJPEG: JPEG error #42");
    EXPECT_EQ(ErrorOf([&] { Draw(*jpeg); }), "no error") << "reported once, not decoded again";

    TBitmap photo;
    MakePhoto(photo, 200, 150);
    auto file = EncodeBitmap(photo, 90);
    file.resize(file.size() * 6 / 10);
    const std::string cut = dir_ + "/cut.jpg";
    WriteFileBytes(cut, file);
    ReadFromFile(picture, cut);
    jpeg = dynamic_cast<TJPEGImage*>(picture.HeldGraphic());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(ErrorOf([&] { Draw(*jpeg); }), "no error");
    TBitmap& decoded = *jpeg->Decoded();
    ASSERT_EQ(decoded.Width(), 200);
    ASSERT_EQ(decoded.Height(), 150);
    auto p = PhotoPixel(5, 5);
    const TColor top = decoded.Surface().ReadPixel(5, 5);
    EXPECT_NEAR(platform::GetRValue(top), p[2], 16) << "rows before the cut are intact";
}

TEST_F(JpegRead, StoredFormRoundTrip) {
    TBitmap photo;
    MakePhoto(photo, 33, 17);
    TJPEGImage jpeg;
    Load(jpeg, EncodeBitmap(photo));
    TMemoryStream stored;
    jpeg.WritePictureData(stored);
    const auto& bytes = jpeg.Store()->Bytes->Data();
    ASSERT_EQ(stored.DataSize(), std::int64_t(bytes.size() + 4));
    EXPECT_EQ(stored.Data()[0] | stored.Data()[1] << 8 | stored.Data()[2] << 16, int(bytes.size()));

    stored.SetPosition(0);
    TJPEGImage back;
    back.ReadPictureData(stored);
    EXPECT_EQ(back.Store()->Bytes->Data(), bytes);
    EXPECT_EQ(back.Width(), 33);

    TMemoryStream none;
    TJPEGImage fresh;
    fresh.WritePictureData(none);
    EXPECT_EQ(none.Data(), (std::vector<std::uint8_t>{0, 0, 0, 0}));

    // Through the holder, by class name.
    TPicture picture;
    picture.ReplaceGraphic(&jpeg);
    TMemoryStream described;
    WritePictureData(picture, described);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(described.Memory()), 11), "\x0ATJPEGImage");
    described.SetPosition(0);
    TPicture restored;
    ReadPictureData(restored, described);
    ASSERT_NE(dynamic_cast<TJPEGImage*>(restored.HeldGraphic()), nullptr);
    EXPECT_EQ(restored.Width(), 33);

    // A count beyond the data is refused before anything is allocated.
    TMemoryStream lying;
    lying.WriteBuffer("\xF0\xFF\xFF\xFF\xFF\xD8", 6);
    lying.SetPosition(0);
    EXPECT_EQ(ErrorOf([&] { back.ReadPictureData(lying); }), "EReadError: Stream read error");
}

TEST_F(JpegRead, AbsurdSizesAreRefusedBeforeAllocation) {
    TBitmap photo;
    MakePhoto(photo, 16, 16);
    auto file = EncodeBitmap(photo);
    for (std::size_t i = 2; i + 9 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] == 0xC0) {
            file[i + 5] = 0xFD, file[i + 6] = 0xE8;  // height 65000
            file[i + 7] = 0xFD, file[i + 8] = 0xE8;  // width 65000
            break;
        }
    }
    TJPEGImage jpeg;
    Load(jpeg, file);
    EXPECT_EQ(jpeg.Width(), 65000);
    EXPECT_EQ(ErrorOf([&] { jpeg.DecodedBitmap(); }), "EOutOfResources: Out of system resources");
    EXPECT_EQ(jpeg.Decoded()->Width(), 0);
}

// The file with its frame header declaring width x height, every component sampled 1 x 1 when
// `fullChroma`; the scans stay those of the small picture.
std::vector<std::uint8_t> WithFrame(std::vector<std::uint8_t> file, int width, int height, bool fullChroma) {
    for (std::size_t i = 2; i + 9 < file.size(); ++i) {
        if (file[i] != 0xFF || (file[i + 1] != 0xC0 && file[i + 1] != 0xC2)) continue;
        file[i + 5] = std::uint8_t(height >> 8), file[i + 6] = std::uint8_t(height);
        file[i + 7] = std::uint8_t(width >> 8), file[i + 8] = std::uint8_t(width);
        for (int c = 0; fullChroma && c < file[i + 9]; ++c) file[i + 11 + 3 * std::size_t(c)] = 0x11;
        break;
    }
    return file;
}

// The file with its last scan header repeated, without data, until it has `scans` scans.
std::vector<std::uint8_t> WithScans(std::vector<std::uint8_t> file, int scans) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xDA) starts.push_back(i);
    const std::size_t last = starts.back();
    const std::vector<std::uint8_t> header(
        file.begin() + std::ptrdiff_t(last),
        file.begin() + std::ptrdiff_t(last + 2 + (file[last + 2] << 8 | file[last + 3])));
    for (int n = int(starts.size()); n < scans; ++n)
        file.insert(file.end() - 2, header.begin(), header.end());
    return file;
}

// Small files that ask for huge work: the codec's work is refused before it is done.
TEST_F(JpegRead, HostileFilesAreRefusedBeforeTheirWork) {
    TBitmap photo;
    MakePhoto(photo, 16, 16);
    const auto gray = EncodeBitmap(photo, 75, true, true);
    const auto colour = EncodeBitmap(photo, 75, false, true);
    const std::string refused = "EOutOfResources: Out of system resources";
    struct Case {
        const char* what;
        std::vector<std::uint8_t> file;
        bool showScans;
        TJPEGDecodeScale scale;
        std::string error;
    };
    const Case cases[] = {
        {"500 scans", WithScans(gray, 500), false, ScaleFull, "no error"},
        {"501 scans", WithScans(gray, 501), false, ScaleFull, refused},
        {"501 scans shown one by one", WithScans(gray, 501), true, ScaleFull, refused},
        // 1.1 GB of coefficients, though the raster at 1/8 is small.
        {"4:4:4 at 13824 x 13824", WithFrame(colour, 13824, 13824, true), false, ScaleEighth, refused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TJPEGImage jpeg;
        jpeg.ShowScans = c.showScans;
        jpeg.SetDecodeScale(c.scale);
        Load(jpeg, c.file);
        EXPECT_EQ(ErrorOf([&] { jpeg.DecodedBitmap(); }), c.error);
    }
}

TEST_F(JpegRead, CancellationAndProgress) {
    TBitmap photo;
    MakePhoto(photo, 64, 64);
    const auto file = EncodeBitmap(photo);

    TJPEGImage jpeg;
    Load(jpeg, file);
    std::vector<std::pair<TProgressStage, int>> notices;
    jpeg.OnProgress = [&](TGraphic&, TProgressStage stage, std::uint8_t percent, bool, const TRect&,
                          const std::string&) {
        notices.emplace_back(stage, percent);
        if (stage == psStarting) throw EAbort("");
    };
    EXPECT_NO_THROW(jpeg.DecodedBitmap());
    ASSERT_NE(jpeg.Decoded(), nullptr) << "the cancelled raster stays";
    EXPECT_EQ(notices, (std::vector<std::pair<TProgressStage, int>>{{psStarting, 0}, {psEnding, 0}}));

    // The codec's own progress, unpaced: rectangles follow the rows, and a listener can cancel.
    auto bytes = std::make_shared<TMemoryStream>();
    bytes->WriteBuffer(file.data(), file.size());
    struct Rows : JpegDecodeTarget {
        void Begin(int w, int h) override { pixels.assign(std::size_t(w) * h * 3, 0), width = w; }
        std::uint8_t* Row(int y) override { return pixels.data() + std::size_t(y) * width * 3; }
        void ColorMap(const platform::Palette&) override {}
        std::vector<std::uint8_t> pixels;
        int width = 0;
    } rows;
    std::vector<TRect> rects;
    JpegProgress progress{[&](std::uint8_t, bool redraw, const TRect& r) {
                              EXPECT_EQ(redraw, r.Height() >= 4);
                              rects.push_back(r);
                          },
                          0};
    JpegDecompressor whole(bytes, JpegDecodeSettings{}, &progress);
    whole.Decode(rows, true);
    ASSERT_GE(rects.size(), 2u);
    for (std::size_t i = 1; i < rects.size(); ++i) EXPECT_EQ(rects[i].Top, rects[i - 1].Bottom);

    JpegProgress cancelling{[](std::uint8_t, bool, const TRect&) { throw EAbort(""); }, 0};
    JpegDecompressor cancelled(bytes, JpegDecodeSettings{}, &cancelling);
    EXPECT_THROW(cancelled.Decode(rows, true), EAbort);
    EXPECT_THROW(cancelled.Decode(rows, true), EJPEG) << "a failed context is not used again";
}

TEST_F(JpegRead, FourComponentFilesShowAsColour) {
    // Adobe-style CMYK (stored inverted): full cyan and yellow ink, no magenta or black, is green.
    const int w = 16, h = 8;
    std::vector<std::uint8_t> cmyk(std::size_t(w) * h * 4);
    for (std::size_t i = 0; i < cmyk.size(); i += 4)
        cmyk[i] = 0, cmyk[i + 1] = 255, cmyk[i + 2] = 0, cmyk[i + 3] = 255;
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&c, &out, &outSize);
    c.image_width = w, c.image_height = h, c.input_components = 4, c.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = cmyk.data() + std::size_t(c.next_scanline) * w * 4;
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    std::vector<std::uint8_t> file(out, out + outSize);
    jpeg_destroy_compress(&c);
    free(out);

    TJPEGImage jpeg;
    Load(jpeg, file);
    for (TJPEGDecodeDepth depth : {Depth24, Depth8}) {
        jpeg.SetPalette(nullptr);
        jpeg.DecodeDepth = depth;
        TJPEGImage copy;
        copy.CopyFrom(&jpeg);
        copy.DecodeDepth = depth;
        TBitmap& bmp = copy.DecodedBitmap();
        EXPECT_EQ(bmp.RasterFormat(), rf24Bit);
        const TColor p = bmp.Surface().ReadPixel(3, 3);
        EXPECT_LT(platform::GetRValue(p), 20) << std::hex << p;
        EXPECT_GT(platform::GetGValue(p), 235) << std::hex << p;
        EXPECT_LT(platform::GetBValue(p), 20) << std::hex << p;
    }
}

TEST_F(JpegRead, PaletteAndCopyRules) {
    TBitmap photo;
    MakePhoto(photo, 20, 10);
    TJPEGImage jpeg;
    Load(jpeg, EncodeBitmap(photo));
    EXPECT_EQ(jpeg.Palette(), nullptr) << "no palette on a deep screen";

    TBitmap target;
    jpeg.CopyTo(target);
    EXPECT_EQ(target.Width(), 20);
    EXPECT_EQ(target.Image(), jpeg.Decoded()->Image()) << "the bitmap shares the decoded pixels";

    int changes = 0;
    jpeg.OnChange = [&](TGraphic&) { ++changes; };
    auto palette = std::make_shared<const platform::Palette>(platform::HalftonePalette());
    jpeg.SetPalette(palette);
    EXPECT_EQ(jpeg.Decoded(), nullptr) << "a new palette drops the raster";
    EXPECT_EQ(jpeg.TempPalette(), palette);
    EXPECT_EQ(changes, 1);
    jpeg.SetPalette(palette);
    EXPECT_EQ(changes, 1);
    jpeg.DecodedBitmap();  // at 24 bits the chosen palette is dropped
    EXPECT_EQ(jpeg.TempPalette(), nullptr);

    // With 8 bits a chosen palette becomes the codec's colour map.
    TJPEGImage eight;
    Load(eight, EncodeBitmap(photo));
    eight.DecodeDepth = Depth8;
    auto grays = std::make_shared<platform::Palette>();
    for (int i = 0; i < 16; ++i)
        grays->push_back(
            platform::RGBQuad{std::uint8_t(i * 17), std::uint8_t(i * 17), std::uint8_t(i * 17), 0});
    eight.SetPalette(grays);
    TBitmap& bmp = eight.DecodedBitmap();
    ASSERT_EQ(bmp.Palette()->size(), grays->size());
    EXPECT_EQ((*bmp.Palette())[15].red, 255);
    const TColor p = bmp.Surface().ReadPixel(4, 4);
    EXPECT_TRUE(platform::GetRValue(p) == platform::GetGValue(p) &&
                platform::GetGValue(p) == platform::GetBValue(p));

    TJPEGImage never;  // never given content: nothing reaches the codec
    EXPECT_TRUE(never.DecodedBitmap().IsEmpty());
}

TEST_F(JpegRead, Registration) {
    RegisterJpegFormats();  // twice is harmless
    auto& formats = TFileFormatsList::Instance();
    int entries = 0;
    for (auto& entry : formats.Entries()) {
        if (entry.graphicClass.name != "TJPEGImage") continue;
        ++entries;
        EXPECT_EQ(entry.description, "JPEG Image File");
    }
    EXPECT_EQ(entries, 2);
    ASSERT_NE(formats.FindByExtension("JPEG"), nullptr);
    EXPECT_EQ(formats.FindByExtension("jpg")->graphicClass.name, "TJPEGImage");
    EXPECT_EQ(DefaultJpegSettings.DecodeDepth, Depth24) << "the stand-in screen has 24 bits";
    UnregisterJpegFormats();
    EXPECT_EQ(formats.FindByExtension("jpg"), nullptr);
    RegisterJpegFormats();
}

}  // namespace

namespace {

// Cut and scrambled files either load and decode or fail with one of our errors; nothing else.
TEST(JpegDamage, DamagedFilesFailCleanly) {
    TBitmap photo;
    MakePhoto(photo, 48, 40);
    for (bool progressive : {false, true}) {
        const auto file = EncodeBitmap(photo, 75, false, progressive);
        std::vector<std::vector<std::uint8_t>> damaged;
        for (std::size_t cut = 0; cut < file.size(); cut += file.size() / 23 + 1)
            damaged.emplace_back(file.begin(), file.begin() + std::ptrdiff_t(cut));
        for (std::size_t at = 2; at < file.size(); at += file.size() / 31 + 1) {
            damaged.push_back(file);
            damaged.back()[at] ^= 0x5A;
        }
        for (auto& bytes : damaged) {
            TJPEGImage jpeg;
            jpeg.ShowScans = progressive;
            try {
                Load(jpeg, bytes);
                jpeg.DecodedBitmap();
            } catch (const Exception&) {
            }
        }
    }
}

}  // namespace

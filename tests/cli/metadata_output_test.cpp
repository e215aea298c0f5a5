// brelvik-cli with pictures that carry metadata: what reaches the JPEG written, and the PNG and WebP
// kinds.
#include <gtest/gtest.h>

#include <QImage>

#include "formats/ExifOrientation.h"
#include "tests/TestSupport.h"
#include "tests/cli/CliRuns.h"
#include "tests/formats/JpegTestPictures.h"
#include "tests/formats/MetadataTestFiles.h"

namespace {

std::vector<std::uint8_t> App1Starting(const std::vector<std::uint8_t>& file, const std::string& prefix) {
    for (const auto& [code, payload] : JpegMarkers(file))
        if (code == 0xE1 && payload.size() >= prefix.size() &&
            std::equal(prefix.begin(), prefix.end(), payload.begin()))
            return {payload.begin() + std::ptrdiff_t(prefix.size()), payload.end()};
    return {};
}

const std::string ExifPrefix("Exif\0\0", 6);
const std::string XmpPrefix("http://ns.adobe.com/xap/1.0/\0", 29);

}  // namespace

// A turned JPEG with EXIF and XMP but no profile: by default its JPEG is exactly the JPEG of its
// upright pixels from a BMP (no marker added); --keep-metadata adds the EXIF, now saying upright,
// and the XMP; a profile is carried whole either way. PNG and WebP are written kinds, and info
// describes pictures other than BMP.
TEST(CliMetadata, WhatReachesTheFilesWrittenAndWhatInfoSays) {
    const std::string dir = TempDir();
    WriteSample(dir + "/a.bmp");
    TBitmap stored;
    MakePhoto(stored, 40, 30);
    TPictureMetadata metadata;
    metadata.exif = ExifBlock(6, EXIF_BYTE_ORDER_MOTOROLA);
    const std::string xmp = "<x:xmpmeta xmlns:x='adobe:ns:meta/'/>";
    metadata.xmp.assign(xmp.begin(), xmp.end());
    WriteFileBytes(dir + "/turned.jpg", JpegWithMetadata(stored, metadata));
    metadata.iccProfile = TestProfile(5000);
    WriteFileBytes(dir + "/profiled.jpg", JpegWithMetadata(stored, metadata));

    for (const QStringList& args : {QStringList{"convert", "turned.jpg", "-o", "plain.jpg"},
                                    QStringList{"convert", "--to", "bmp", "turned.jpg", "-o", "upright.bmp"},
                                    QStringList{"convert", "upright.bmp", "-o", "from-bmp.jpg"},
                                    QStringList{"convert", "--keep-metadata", "turned.jpg", "-o", "kept.jpg"},
                                    QStringList{"convert", "profiled.jpg", "-o", "profiled-out.jpg"},
                                    QStringList{"convert", "--to", "png", "a.bmp"},
                                    QStringList{"convert", "--to", "webp", "--lossless", "profiled.jpg"},
                                    QStringList{"convert", "--to", "ico", "a.bmp"}}) {
        const CliRun run = RunCli(dir, args);
        ASSERT_EQ(run.status, 0) << args.join(' ').toStdString() << run.err;
    }
    EXPECT_EQ(Bytes(dir + "/plain.jpg"), Bytes(dir + "/from-bmp.jpg"));
    EXPECT_EQ(QImage(QString::fromStdString(dir + "/plain.jpg")).size(), QSize(30, 40));

    const std::vector<std::uint8_t> kept = ReadFileBytes(dir + "/kept.jpg");
    const std::vector<std::uint8_t> exif = App1Starting(kept, ExifPrefix);
    ASSERT_FALSE(exif.empty());
    EXPECT_EQ(ReadExifOrientation(exif), 1);
    EXPECT_EQ(App1Starting(kept, XmpPrefix), metadata.xmp);

    const std::vector<std::uint8_t> profiled = ReadFileBytes(dir + "/profiled-out.jpg");
    EXPECT_EQ(JoinedApp2Profile(JpegMarkers(profiled)), metadata.iccProfile);
    EXPECT_TRUE(App1Starting(profiled, ExifPrefix).empty());

    EXPECT_EQ(QImage(QString::fromStdString(dir + "/a.png")).size(), QSize(38, 24));
    EXPECT_EQ(QImage(QString::fromStdString(dir + "/profiled.webp")).size(), QSize(30, 40));
    EXPECT_EQ(RunCli(dir, {"info", "profiled.jpg"}).out,
              "Kind:        JPEG Image File\nWidth:       30\nHeight:      40\nBitCount:    24\n"
              "Profile:     embedded, 5000 bytes\nOrientation: 6 (shown upright)\n");
    EXPECT_EQ(RunCli(dir, {"info", "a.ico"}).out,
              "Kind:        Icons\nWidth:       32\nHeight:      32\nBitCount:    4\nProfile:     none\n"
              "Orientation: 1\n");
}

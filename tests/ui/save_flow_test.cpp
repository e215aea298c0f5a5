#include <gtest/gtest.h>

#include <filesystem>

#include "core/PictureEdits.h"
#include "core/TPicture.h"
#include "formats/JpegRegistration.h"
#include "formats/PictureLoading.h"
#include "tests/TestSupport.h"
#include "tests/formats/JpegTestPictures.h"
#include "tests/formats/MetadataTestFiles.h"
#include "tests/ui/UiFixtures.h"
#include "ui/SaveFlow.h"
#include "ui/SaveKind.h"
#include "ui/WorkingPictureEdit.h"

namespace fs = std::filesystem;

TEST(SaveKinds, FilterIndexesExtensionsAndTheDialogsTypeListComeFromOneTable) {
    EXPECT_EQ(SaveKindAt(1), SaveKind::Jpeg);
    EXPECT_EQ(SaveKindAt(2), SaveKind::Icon);
    EXPECT_EQ(SaveKindAt(0), std::nullopt);
    EXPECT_EQ(SaveKindAt(3), std::nullopt);
    EXPECT_STREQ(ExtensionOf(SaveKind::Jpeg), ".jpg");
    EXPECT_STREQ(ExtensionOf(SaveKind::Icon), ".ico");
    EXPECT_EQ(SaveDialogFilter(), "JPEG Image File (*.jpg)|*.jpg|ICO image File (*.ico)|*.ico");
}

TEST(SaveFlow, TheSavedNameAlwaysGetsTheKindsExtension) {
    EXPECT_EQ(SavedFileName("/t/out", SaveKind::Jpeg), "/t/out.jpg");
    EXPECT_EQ(SavedFileName("/t/out.jpg", SaveKind::Jpeg), "/t/out.jpg.jpg");
    EXPECT_EQ(SavedFileName("", SaveKind::Icon), ".ico");
    EXPECT_EQ(SavedFileName("/t/out", std::nullopt), "/t/out.ico");
}

// The flow needs no window: a picture in, a file on disk, the file read back into another picture.
TEST(SaveFlow, AJpegWrittenFromAPictureComesBackAsThePreviewWithItsSize) {
    const std::string dir = TempDir(), source = dir + "/in.bmp", name = dir + "/out.jpg";
    WriteBmp24(source, 30, 10, [](int x, int) { return x < 15 ? 0xFF0000u : 0x0000FFu; });
    RegisterJpegFormats();
    TPicture working, preview;
    ReadFromFile(working, source);
    SaveAsJpeg(working, 90, name);
    EXPECT_EQ(ReadBackSavedFile(name, preview), std::int64_t(fs::file_size(name)));
    ASSERT_NE(preview.HeldGraphic(), nullptr);
    EXPECT_STREQ(preview.HeldGraphic()->ClassName(), "TJPEGImage");
    EXPECT_EQ(preview.Width(), 30);
    EXPECT_EQ(preview.Height(), 10);
}

// Opened, turned by the window's edit (a new raster) and saved: the JPEG keeps the source's profile
// byte for byte (over two markers), not its EXIF, and shows upright by the source's orientation.
TEST(SaveFlow, AnEditedJpegKeepsItsColourProfile) {
    const std::string dir = TempDir(), source = dir + "/in.jpg", name = dir + "/out.jpg";
    TBitmap stored;
    MakePhoto(stored, 40, 30);
    TPictureMetadata metadata;
    metadata.iccProfile = TestProfile(70000);
    metadata.exif = ExifBlock(6, EXIF_BYTE_ORDER_INTEL);
    WriteFileBytes(source, JpegWithMetadata(stored, metadata));
    RegisterJpegFormats();
    TPicture working;
    ReadFromFile(working, source);
    EditWorkingPicture(working, [](TPicture& picture) { RotateWorkingPicture(picture, 90); });
    SaveAsJpeg(working, 90, name);
    const auto markers = JpegMarkers(ReadFileBytes(name));
    EXPECT_EQ(JoinedApp2Profile(markers), metadata.iccProfile);
    for (const auto& marker : markers) EXPECT_NE(marker.first, 0xE1);
    TPicture preview;
    ReadBackSavedFile(name, preview);
    EXPECT_EQ(preview.Width(), 30);  // upright; the window's turn keeps the sides
    EXPECT_EQ(preview.Height(), 40);
}

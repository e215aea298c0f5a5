#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/TPicture.h"
#include "formats/PictureLoading.h"
#include "formats/TFileFormatsList.h"
#include "tests/TestSupport.h"
#include "tests/formats/BmpFixtures.h"

namespace {

std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = TempDir() + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

// 2 x 1 at 24 bits: red, blue.
std::vector<std::uint8_t> SmallBmp() {
    return InfoFile(2, 1, 24).Raw({0, 0, 255, 255, 0, 0, 0, 0}).data;
}

std::string LoadErrorOf(TPicture& picture, const std::string& path) {
    try {
        ReadFromFile(picture, path);
    } catch (const Exception& e) {
        return std::string(e.ClassName()) + ": " + e.Message();
    }
    return "";
}

TEST(ExtractExtension, TakesTheTextAfterTheLastDotOfTheFileName) {
    EXPECT_EQ(ExtractExtension("/home/u/photo.BMP"), "BMP");
    EXPECT_EQ(ExtractExtension("archive.tar.gz"), "gz");
    EXPECT_EQ(ExtractExtension("/home/u.v/photo"), "");
    EXPECT_EQ(ExtractExtension("C:\\dir.x\\name"), "");
    EXPECT_EQ(ExtractExtension("C:name"), "");
    EXPECT_EQ(ExtractExtension("dir/name."), "");
    EXPECT_EQ(ExtractExtension(""), "");
}

TEST(Registry, HoldsTheFourBuiltInKindsInOrder) {
    const auto& entries = TFileFormatsList::Instance().Entries();
    ASSERT_GE(entries.size(), 4u);
    const char* expected[4][3] = {{"wmf", "Metafiles", "TMetafile"},
                                  {"emf", "Enhanced Metafiles", "TMetafile"},
                                  {"ico", "Icons", "TIcon"},
                                  {"bmp", "Bitmaps", "TBitmap"}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(entries[i].extension, expected[i][0]);
        EXPECT_EQ(entries[i].description, expected[i][1]);
        EXPECT_EQ(entries[i].graphicClass.name, expected[i][2]);
        EXPECT_EQ(entries[i].graphicClass.create()->ClassName(), std::string(expected[i][2]));
    }
}

TEST(Registry, LookupIgnoresCaseAndPrefersTheLastEntry) {
    auto& list = TFileFormatsList::Instance();
    ASSERT_NE(list.FindByExtension("BmP"), nullptr);
    EXPECT_EQ(list.FindByExtension("BmP")->graphicClass.name, "TBitmap");
    EXPECT_EQ(list.FindByExtension(".bmp"), nullptr);
    EXPECT_EQ(list.FindByClassName("tbitmap"), nullptr);

    list.RegisterFormat("BMP", "Other bitmaps",
                        TGraphicClass{"TOther", [] { return std::unique_ptr<TGraphic>(); }});
    EXPECT_EQ(list.FindByExtension("bmp")->description, "Other bitmaps");
    EXPECT_EQ(list.Entries().back().extension, "bmp");  // stored in lower case
    list.UnregisterClass("TOther");
    EXPECT_EQ(list.FindByExtension("bmp")->description, "Bitmaps");
}

TEST(PictureReadFromFile, PicksTheClassByExtension) {
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TPicture&) { ++changes; };
    ReadFromFile(picture, WriteFile("Photo.Bmp", SmallBmp()));
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.HeldGraphic()), nullptr);
    EXPECT_EQ(picture.Width(), 2);
    EXPECT_GE(changes, 1);

    ReadFromFile(picture, WriteFile("empty.bmp", {}));
    EXPECT_TRUE(picture.HeldGraphic()->IsEmpty());
}

TEST(PictureReadFromFile, FailuresLeaveThePictureAsItWas) {
    TPicture picture;
    ReadFromFile(picture, WriteFile("a.bmp", SmallBmp()));
    TGraphic* before = picture.HeldGraphic();

    const std::string dir = TempDir();
    std::filesystem::create_directories(dir + "/folder.bmp");
    EXPECT_EQ(LoadErrorOf(picture, dir + "/folder.bmp/noext"),
              "EInvalidGraphic: Unknown picture file extension (.)");
    EXPECT_EQ(LoadErrorOf(picture, "picture.TxT"), "EInvalidGraphic: Unknown picture file extension (.TxT)");
    EXPECT_EQ(LoadErrorOf(picture, WriteFile("bad.bmp", {'B', 'M', 1})), "EReadError: Stream read error");
    const std::string missing = dir + "/missing.bmp";
    EXPECT_EQ(LoadErrorOf(picture, missing).rfind("EFOpenError: Cannot open file \"" + missing + "\". ", 0),
              0u);
    // A bitmap named as a JPEG goes to the JPEG reader, whatever it holds (when that is registered).
    if (TFileFormatsList::Instance().FindByExtension("jpg")) {
        EXPECT_NE(LoadErrorOf(picture, WriteFile("bitmap.jpg", SmallBmp())), "");
    }

    EXPECT_EQ(picture.HeldGraphic(), before);
    EXPECT_EQ(picture.Width(), 2);
}

TEST(PictureStoredForm, RoundTripsAndSkipsUnknownClasses) {
    TPicture source;
    ReadFromFile(source, WriteFile("a.bmp", SmallBmp()));
    TMemoryStream stored;
    WritePictureData(source, stored);
    EXPECT_EQ(stored.Data()[0], 7);  // length of "TBitmap"
    EXPECT_EQ(std::string(stored.Data().begin() + 1, stored.Data().begin() + 8), "TBitmap");

    TPicture copy;
    stored.SetPosition(0);
    ReadPictureData(copy, stored);
    auto* bitmap = dynamic_cast<TBitmap*>(copy.HeldGraphic());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(Pixels(*bitmap), (std::vector<std::uint32_t>{0xFF0000, 0x0000FF}));

    // No graphic, an unknown name and an over-long name all leave the picture empty, without error.
    for (const std::string& name : {std::string(), std::string("TNoSuchGraphic"), std::string(64, 'T')}) {
        TMemoryStream data;
        const std::uint8_t length = std::uint8_t(name.size());
        data.Write(&length, 1);
        data.Write(name.data(), name.size());
        data.SetPosition(0);
        ReadPictureData(copy, data);
        EXPECT_EQ(copy.HeldGraphic(), nullptr) << name;
    }
    TMemoryStream none;
    WritePictureData(copy, none);
    EXPECT_EQ(none.Data(), std::vector<std::uint8_t>{0});
}

}  // namespace

#include <QTest>
#include <QTimer>
#include <filesystem>

#include "core/Errors.h"
#include "core/TBitmap.h"
#include "platform/FileSearch.h"
#include "tests/TestSupport.h"
#include "tests/ui/UiFixtures.h"
#include "ui/ErrorHandling.h"
#include "ui/FileSizeText.h"
#include "ui/Guarded.h"
#include "ui/ImageDrawRule.h"
#include "ui/TImage.h"

namespace {

using platform::TRect;

TEST(ErrorBox, AddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(ErrorBoxText("Bitmap image is not valid"), "Bitmap image is not valid.");
    EXPECT_EQ(ErrorBoxText("JPEG error #42"), "JPEG error #42.");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("Stop!"), "Stop!");
    EXPECT_EQ(ErrorBoxText("trailing "), "trailing ");
    EXPECT_EQ(ErrorBoxText("dash-"), "dash-");
    EXPECT_EQ(ErrorBoxText(""), "");
    EXPECT_EQ(ErrorBoxText("Ошибка"), "Ошибка.");
}

TEST(ErrorBox, HandlersErrorsAreShownOnceAndAbortIsSilent) {
    ScriptedDialogs dialogs;
    SetDialogHandler(&dialogs);
    SetApplicationTitle("brelvik");
    bool after = false;
    auto failing = Guarded([] { throw EInvalidGraphic("Bitmap image is not valid"); });
    auto aborting = Guarded([] { throw EAbort(""); });
    failing();
    aborting();
    after = true;
    SetDialogHandler(nullptr);
    EXPECT_TRUE(after);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0], "Bitmap image is not valid.");
    EXPECT_EQ(dialogs.titles[0], "brelvik");
}

TEST(KilobyteFigure, RoundsHalfToEven) {
    EXPECT_EQ(KilobyteFigure(511), "0");
    EXPECT_EQ(KilobyteFigure(512), "0");
    EXPECT_EQ(KilobyteFigure(1535), "1");
    EXPECT_EQ(KilobyteFigure(1536), "2");
    EXPECT_EQ(KilobyteFigure(2560), "2");
    EXPECT_EQ(KilobyteFigure(3584), "4");
    EXPECT_EQ(KilobyteFigure(-1), "0");
    EXPECT_EQ(KilobyteText(std::int64_t(3) << 31), "6291456  KB");  // past 2 GiB
    EXPECT_EQ(KilobyteText(0), "0  KB");
}

TEST(QueryFileSize, FindsFilesFoldersAndWildcardMatches) {
    std::string dir = TempDir();
    WriteBytes(dir + "/b.bmp", 1536);
    WriteBytes(dir + "/a.bmp", 700);
    WriteBytes(dir + "/c.txt", 5);
    std::filesystem::create_directory(dir + "/sub");
    EXPECT_EQ(platform::QueryFileSize(dir + "/b.bmp"), 1536);
    EXPECT_EQ(platform::QueryFileSize(dir + "/sub"), 0);
    EXPECT_EQ(platform::QueryFileSize(dir), 0);
    EXPECT_EQ(platform::QueryFileSize(dir + "/*.bmp"), 700);  // the first match by name
    EXPECT_EQ(platform::QueryFileSize(dir + "/?.txt"), 5);
    EXPECT_EQ(platform::QueryFileSize(dir + "/*.png"), -1);
    EXPECT_EQ(platform::QueryFileSize(dir + "/missing.bmp"), -1);
    EXPECT_EQ(platform::QueryFileSize(""), -1);
}

TEST(QueryFileSize, KeepsSizesPastTwoGigabytes) {
    std::string path = TempDir() + "/sparse.bin";
    WriteBytes(path, 1);
    std::filesystem::resize_file(path, std::uintmax_t(3) << 30);  // sparse: takes no disk space
    EXPECT_EQ(platform::QueryFileSize(path), std::int64_t(3) << 30);
    std::filesystem::remove(path);
}

TEST(Wildcards, MatchLikeTheFileSearch) {
    using platform::MatchesWildcard;
    EXPECT_TRUE(MatchesWildcard("photo.bmp", "*.bmp"));
    EXPECT_TRUE(MatchesWildcard("photo.bmp", "ph?to.*"));
    EXPECT_TRUE(MatchesWildcard("a", "*"));
    EXPECT_FALSE(MatchesWildcard("photo.bmp", "*.jpg"));
    EXPECT_FALSE(MatchesWildcard("ab", "a?b"));
    EXPECT_TRUE(MatchesWildcard("[x].bmp", "[x].bmp"));  // brackets are ordinary characters
}

TEST(ImageDrawRule, ShrinksKeepingTheAspectAndNeverEnlarges) {
    // Larger and wider than the box: full width, truncated height, centred vertically.
    EXPECT_EQ(ImageDrawRect(1280, 960, 427, 448, false, true, true), (TRect{0, 64, 427, 384}));
    // Taller than the box: full height.
    EXPECT_EQ(ImageDrawRect(100, 400, 427, 341, false, true, false), (TRect{0, 0, 85, 341}));
    // Wide but its height would still overflow: limited by the height.
    EXPECT_EQ(ImageDrawRect(500, 400, 400, 100, false, true, false), (TRect{0, 0, 125, 100}));
    // Smaller: own size, centred.
    EXPECT_EQ(ImageDrawRect(40, 20, 427, 448, false, true, true), (TRect{193, 214, 233, 234}));
    // Stretch without proportion fills the box; proportional stretch of a small picture enlarges.
    EXPECT_EQ(ImageDrawRect(40, 20, 100, 100, true, false, false), (TRect{0, 0, 100, 100}));
    EXPECT_EQ(ImageDrawRect(40, 20, 100, 100, true, true, false), (TRect{0, 0, 100, 50}));
    // Neither: own size from the corner, even when larger (cut off by the box).
    EXPECT_EQ(ImageDrawRect(77, 119, 81, 105, false, false, false), (TRect{0, 0, 77, 119}));
    EXPECT_EQ(ImageDrawRect(0, 0, 50, 50, true, true, true), (TRect{0, 0, 50, 50}));
}

TEST(ImageBox, RepaintsOnceForManyChanges) {
    class CountingImage : public TImage {
    public:
        using TImage::TImage;
        int paints = 0;

    protected:
        void paintEvent(QPaintEvent* e) override {
            ++paints;
            TImage::paintEvent(e);
        }
    };
    CountingImage box(nullptr, 0, 0, 50, 50);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTRY_VERIFY(box.paints > 0);
    int before = box.paints;
    TBitmap& bitmap = box.Picture().AsBitmap();
    bitmap.SetWidth(20);
    bitmap.SetHeight(20);
    for (int i = 0; i < 100; ++i) bitmap.Surface().WritePixel(i % 20, i / 20, 0x0000FF);
    QTRY_VERIFY(box.paints > before);
    QTest::qWait(50);
    EXPECT_LE(box.paints - before, 2);
    EXPECT_EQ(PixelOf(box.grab().toImage(), 0, 0), 0xFF0000u);
}

}  // namespace

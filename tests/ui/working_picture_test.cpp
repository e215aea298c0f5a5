#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <filesystem>

#include "core/DrawCaption.h"
#include "core/PictureEdits.h"
#include "core/ShiftBrightness.h"
#include "core/TBitmap.h"
#include "tests/TestSupport.h"
#include "tests/formats/JpegTestPictures.h"
#include "tests/ui/UiFixtures.h"
#include "ui/TImage.h"
#include "ui/TLabel.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit6.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPComboBox.h"
#include "widgets/TXPEdit.h"

namespace fs = std::filesystem;

namespace {

// One edit as the user runs it in the windows, and the same edit run by the core on a raster.
struct Edit {
    const char* name;
    std::function<void()> inWindow;
    std::function<void(TPicture&)> onRaster;
};

std::vector<Edit> MenuEdits() {
    auto caption = [](TPicture& p) {
        const FontChoice font = Form6->FontDialog1.Font;
        DrawCaption(p.AsBitmap(), "Brelvik", 10, 10, font.color, font.name, font.sizePoints);
    };
    return {
        {"invert", [] { Form1->N2->trigger(); }, InvertWorkingPicture},
        {"rotate 90", [] { Form1->N901->trigger(); }, [](TPicture& p) { RotateWorkingPicture(p, 90); }},
        {"rotate 180", [] { Form1->N101->trigger(); }, [](TPicture& p) { RotateWorkingPicture(p, 180); }},
        {"lighten 10",
         [] {
             Form2->XPComboBox1->setCurrentIndex(1);
             emit Form2->FancyButton1->clicked();
         },
         [](TPicture& p) { ShiftBrightness(p.AsBitmap(), 10, 10, 10); }},
        {"darken 10",
         [] {
             Form3->XPComboBox1->setCurrentIndex(0);
             emit Form3->FancyButton2->clicked();
         },
         [](TPicture& p) { ShiftBrightness(p.AsBitmap(), -10, -10, -10); }},
        {"caption",
         [] {
             Form6->XPEdit1->setText("Brelvik");
             emit Form6->FancyButton1->clicked();
         },
         caption},
    };
}

// The graphic as shown, drawn into a 24-bit raster of its size.
std::unique_ptr<TBitmap> DrawnRaster(TGraphic& graphic) {
    auto raster = std::make_unique<TBitmap>();
    raster->SetRasterFormat(rf24Bit);
    raster->SetWidth(graphic.Width());
    raster->SetHeight(graphic.Height());
    raster->Surface().DrawAt(0, 0, &graphic);
    return raster;
}

// How many pixels differ; -1 when the sizes do.
long DifferentPixels(TBitmap& a, TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    long count = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            count += a.Surface().ReadPixel(x, y) != b.Surface().ReadPixel(x, y);
    return count;
}

class WorkingPictureTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        dir = TempDir();
        TBitmap photo;
        MakePhoto(photo, 64, 48);
        jpegPath = dir + "/photo.jpg";
        WriteFileBytes(jpegPath, EncodeBitmap(photo));
    }
    void Restart() {
        DestroyForms();
        CreateForms();
    }
    void Open(const std::string& path) {
        dialogs.openAnswers.push_back(FileDialogResult{path, 1});
        emit Form1->FancyButton1->clicked();
    }
    void Save(const std::string& target, int filterIndex) {
        dialogs.saveAnswers.push_back(FileDialogResult{target, filterIndex});
        emit Form1->FancyButton2->clicked();
        emit Form1->FancyButton3->clicked();
    }

    std::string dir, jpegPath;
};

}  // namespace

// Each edit on the start-up photograph and on an opened JPEG works on the pixels shown, exactly as
// the same edit on the picture drawn into a raster, tells the box once, and shows the busy pointer.
TEST_F(WorkingPictureTest, EditsOnAPhotographKeepItsPixelsAndRepaintOnce) {
    for (const bool startup : {true, false})
        for (const Edit& edit : MenuEdits()) {
            SCOPED_TRACE(std::string(startup ? "start-up photograph, " : "opened JPEG, ") + edit.name);
            Restart();
            if (!startup) Open(jpegPath);
            TPicture& working = Form1->Image1->Picture();
            ASSERT_STREQ(working.HeldGraphic()->ClassName(), "TJPEGImage");
            TPicture expected;
            expected.AdoptGraphic(DrawnRaster(*working.HeldGraphic()));
            edit.onRaster(expected);

            int notices = 0;
            bool busy = false;
            working.Notifier = [&](TPicture&) {
                ++notices;
                busy = QGuiApplication::overrideCursor() &&
                       QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
            };
            edit.inWindow();
            working.Notifier = nullptr;
            ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();
            EXPECT_EQ(notices, 1);
            EXPECT_TRUE(busy);
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
            ASSERT_GT(working.Width(), 0);
            EXPECT_EQ(DifferentPixels(working.AsBitmap(), expected.AsBitmap()), 0);
        }
}

// A picture without pixels, or no target name, is refused in the error box and nothing is
// written: not the target, nor a file named by the extension alone in the working folder.
TEST_F(WorkingPictureTest, AnEmptyPictureOrAnEmptyTargetIsRefusedWithNothingWritten) {
    const std::string emptyBmp = dir + "/empty.bmp", goodBmp = dir + "/good.bmp";
    WriteBytes(emptyBmp, 0);
    WriteBmp24(goodBmp, 8, 8, [](int, int) { return 0x336699u; });
    struct Case {
        std::string source, target;
        int filterIndex;
        const char* error;
    };
    const Case cases[] = {
        {emptyBmp, dir + "/out", 1, "The picture is empty: there is nothing to save."},
        {emptyBmp, dir + "/out", 2, "The picture is empty: there is nothing to save."},
        {goodBmp, "", 1, "No file name to save to: type one or choose one first."},
        {goodBmp, "", 2, "No file name to save to: type one or choose one first."},
    };
    const fs::path before = fs::current_path();
    fs::current_path(dir);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source + " -> '" + c.target + "' type " + std::to_string(c.filterIndex));
        Restart();
        dialogs.errors.clear();
        Open(c.source);
        Save(c.target, c.filterIndex);
        ASSERT_EQ(dialogs.errors.size(), 1u);
        EXPECT_EQ(dialogs.errors[0], c.error);
        EXPECT_EQ(Form1->Label8->Caption(), "");
        std::vector<std::string> files;
        for (const auto& entry : fs::directory_iterator(dir))
            files.push_back(entry.path().filename().string());
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, (std::vector<std::string>{"empty.bmp", "good.bmp", "photo.jpg"}));
    }
    fs::current_path(before);
}

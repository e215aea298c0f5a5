// The figure beside the quality: the size of the very file the save then writes, at several
// qualities and after an edit, and the save writes the bytes a fresh encode would.
#include <QSlider>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/TestSupport.h"
#include "tests/ui/UiFixtures.h"
#include "ui/FileSizeText.h"
#include "ui/SaveFlow.h"
#include "ui/TBevel.h"
#include "ui/TImage.h"
#include "ui/TLabel.h"
#include "ui/Unit1.h"
#include "widgets/TFancyButton.h"

namespace fs = std::filesystem;

namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Waits for the exact figure (no "≈"); false when none came.
bool ExactFigureShown() {
    return QTest::qWaitFor(
        [] {
            const std::string caption = Form1->Label9->Caption();
            return !caption.empty() && caption.rfind("≈", 0) != 0;
        },
        60000);
}

}  // namespace

class SizeFigureTest : public FormsTest {};

TEST_F(SizeFigureTest, TheFigureIsTheSizeOfTheFileTheSaveWrites) {
    const std::string dir = TempDir(), source = dir + "/p.bmp", base = dir + "/out";
    // Smooth shading with fine detail: every quality step changes the file's size.
    WriteBmp24(source, 320, 240, [](int x, int y) {
        return std::uint32_t(((x * 3) & 0xFF) << 16 | ((y * 5 + x * x % 37) & 0xFF) << 8 | ((x ^ y) & 0xFF));
    });
    dialogs.openAnswers.push_back(FileDialogResult{source, 1});
    emit Form1->FancyButton1->clicked();
    dialogs.saveAnswers.push_back(FileDialogResult{base, 1});
    emit Form1->FancyButton2->clicked();

    struct Case {
        int quality;
        bool invertFirst;
    };
    for (const Case& c : {Case{50, false}, Case{0, false}, Case{100, false}, Case{85, false}, Case{85, true},
                          Case{20, true}}) {
        SCOPED_TRACE("quality " + std::to_string(c.quality) + (c.invertFirst ? " after an edit" : ""));
        if (c.invertFirst) Form1->N2->trigger();
        Form1->TrackBar1->setValue(c.quality);
        ASSERT_TRUE(ExactFigureShown()) << Form1->Label9->Caption();
        const std::string figure = Form1->Label9->Caption();
        const std::string bytes = Form1->Label9->toolTip().toStdString();
        emit Form1->FancyButton3->clicked();
        ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();
        const std::string saved = Contents(base + ".jpg");
        EXPECT_EQ(figure, KilobyteText(std::int64_t(saved.size())));
        EXPECT_EQ(bytes, std::to_string(saved.size()) + " bytes");
        // The bytes reused from the figure's encode are those a save without it writes.
        SaveAsJpeg(Form1->Image1->Picture(), c.quality, dir + "/fresh.jpg");
        EXPECT_EQ(saved, Contents(dir + "/fresh.jpg"));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);  // no stray files
}

TEST_F(SizeFigureTest, NothingIsShownForTheIconType) {
    ASSERT_TRUE(ExactFigureShown());
    dialogs.saveAnswers.push_back(FileDialogResult{TempDir() + "/icon", 2});
    emit Form1->FancyButton2->clicked();
    EXPECT_TRUE(QTest::qWaitFor([] { return Form1->Label9->Caption().empty(); }, 5000));
    Form1->TrackBar1->setValue(70);
    QTest::qWait(300);
    EXPECT_EQ(Form1->Label9->Caption(), "");
}

// The widest figure and quality stay inside the quality row, clear of each other and of the
// button and the slider.
TEST_F(SizeFigureTest, TheFigureCoversNoOtherControl) {
    Form1->Label4->SetCaption("100");
    Form1->Label9->SetCaption("≈ 99999  KB");
    const QRect figure = Form1->Label9->geometry();
    EXPECT_TRUE(Form1->Bevel3->geometry().contains(figure));
    for (QWidget* other :
         std::initializer_list<QWidget*>{Form1->Label3, Form1->Label4, Form1->FancyButton3, Form1->TrackBar1})
        EXPECT_FALSE(figure.intersects(other->geometry())) << other->metaObject()->className();
}

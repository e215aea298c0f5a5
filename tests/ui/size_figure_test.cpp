// The figure beside the quality is the size of the very file the save then writes, at several
// qualities and after an edit; the save writes the bytes a fresh encode would; the icon type
// shows nothing; the widest figure covers no other control.
#include <QSlider>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/TestSupport.h"
#include "tests/ui/UiFixtures.h"
#include "ui/FileSizeText.h"
#include "ui/SaveFlow.h"
#include "ui/TBevel.h"
#include "ui/TImage.h"
#include "ui/TLabel.h"
#include "ui/Unit1.h"
#include "widgets/TFancyButton.h"

namespace {

std::string Bytes(const std::string& path) {
    std::ostringstream data;
    data << std::ifstream(path, std::ios::binary).rdbuf();
    return data.str();
}

bool FigureShown(bool exact) {
    return QTest::qWaitFor(
        [exact] {
            return Form1->Label9->Caption().rfind("≈", 0) != 0 && !Form1->Label9->Caption().empty() == exact;
        },
        60000);
}

}  // namespace

TEST_F(FormsTest, TheSizeFigureIsTheSizeOfTheFileTheSaveWrites) {
    const std::string dir = TempDir(), source = dir + "/p.bmp", base = dir + "/out";
    WriteBmp24(source, 320, 240, [](int x, int y) {
        return std::uint32_t(x * 3 << 16 | (y * 5 + x * x % 37) << 8 | (x ^ y)) & 0xFFFFFF;
    });
    dialogs.openAnswers.push_back(FileDialogResult{source, 1});
    emit Form1->FancyButton1->clicked();
    dialogs.saveAnswers.push_back(FileDialogResult{base, 1});
    emit Form1->FancyButton2->clicked();
    for (const auto& [quality, invertFirst] : std::vector<std::pair<int, bool>>{
             {50, false}, {0, false}, {100, false}, {85, false}, {85, true}, {20, true}}) {
        SCOPED_TRACE("quality " + std::to_string(quality) + (invertFirst ? " after an edit" : ""));
        Form1->TrackBar1->setValue(quality);
        if (invertFirst) {  // while the figure's run holds the rows: the edit changes them in place
            const void* rows = Form1->Image1->Picture().AsBitmap().Image().get();
            Form1->N2->trigger();
            EXPECT_EQ(Form1->Image1->Picture().AsBitmap().Image().get(), rows);
        }
        ASSERT_TRUE(FigureShown(true)) << Form1->Label9->Caption();
        const std::string figure = Form1->Label9->Caption(), bytes = Form1->Label9->toolTip().toStdString();
        emit Form1->FancyButton3->clicked();
        ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();
        const std::string saved = Bytes(base + ".jpg");
        EXPECT_EQ(figure, KilobyteText(std::int64_t(saved.size())));
        EXPECT_EQ(bytes, std::to_string(saved.size()) + " байт");
        SaveAsJpeg(Form1->Image1->Picture(), quality, dir + "/fresh.jpg");
        EXPECT_EQ(saved, Bytes(dir + "/fresh.jpg"));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 3);  // no stray files
    dialogs.saveAnswers.push_back(FileDialogResult{base, 2});
    emit Form1->FancyButton2->clicked();
    EXPECT_TRUE(FigureShown(false));
    Form1->TrackBar1->setValue(70);
    QTest::qWait(300);
    EXPECT_EQ(Form1->Label9->Caption(), "");
}

TEST_F(FormsTest, TheWidestSizeFigureCoversNoOtherControl) {
    Form1->Label4->SetCaption("100");
    Form1->Label9->SetCaption("≈ 99999  KB");
    const QRect figure = Form1->Label9->geometry();
    EXPECT_TRUE(Form1->Bevel3->geometry().contains(figure));
    for (QWidget* other :
         std::initializer_list<QWidget*>{Form1->Label3, Form1->Label4, Form1->FancyButton3, Form1->TrackBar1})
        EXPECT_FALSE(figure.intersects(other->geometry())) << other->metaObject()->className();
}

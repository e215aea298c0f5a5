#include <QAction>
#include <QMenu>
#include <QScrollArea>
#include <QSlider>
#include <QTest>
#include <filesystem>

#include "core/TBitmap.h"
#include "tests/TestSupport.h"
#include "tests/ui/UiFixtures.h"
#include "ui/ErrorHandling.h"
#include "ui/FileSizeText.h"
#include "ui/TImage.h"
#include "ui/TLabel.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
#include "ui/Unit6.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPEdit.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t Red = 0xFF0000, Green = 0x00FF00;

// Pixel (x, y) of the picture, drawn smaller than the box, centred in Image1.
std::uint32_t UpperBoxPixel(int pictureWidth, int pictureHeight, int x, int y) {
    QImage shot = Form1->Image1->grab().toImage();
    return PixelOf(shot, (427 - pictureWidth) / 2 + x, (448 - pictureHeight) / 2 + y);
}

class MainWindowTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        dir = TempDir();
        source = dir + "/halves.bmp";
        // Left half red, right half green: turns are visible.
        WriteBmp24(source, 40, 20, [](int x, int) { return x < 20 ? Red : Green; });
    }

    void OpenThroughDialog(const std::string& path) {
        dialogs.openAnswers.push_back(FileDialogResult{path, 1});
        emit Form1->FancyButton1->clicked();
    }
    void ChooseTarget(const std::string& base, int filterIndex) {
        dialogs.saveAnswers.push_back(FileDialogResult{base, filterIndex});
        emit Form1->FancyButton2->clicked();
    }
    void Save() { emit Form1->FancyButton3->clicked(); }

    std::string dir, source;
};

TEST_F(MainWindowTest, StartsWithSixHiddenWindowsAndTheLayoutsDefaults) {
    EXPECT_EQ(Form1->windowTitle(), "Brelvik 1 10");
    EXPECT_EQ(Form1->Client()->size(), QSize(464, 481));
    EXPECT_EQ(Form2->Client()->size(), QSize(288, 64));
    EXPECT_EQ(Form3->Client()->size(), QSize(289, 66));
    EXPECT_EQ(Form4->Client()->size(), QSize(262, 119));
    EXPECT_EQ(Form5->Client()->size(), QSize(170, 159));
    EXPECT_EQ(Form6->Client()->size(), QSize(345, 161));
    for (QWidget* form :
         {static_cast<QWidget*>(Form1), static_cast<QWidget*>(Form2), static_cast<QWidget*>(Form6)})
        EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Form1->TrackBar1->minimum(), 0);
    EXPECT_EQ(Form1->TrackBar1->maximum(), 100);
    EXPECT_EQ(Form1->TrackBar1->value(), 50);
    EXPECT_EQ(Form1->TrackBar1->singleStep(), 5);
    EXPECT_EQ(Form1->SavePictureDialog1.FilterIndex(), 1);
    EXPECT_EQ(Form1->Label7->Caption(), "Размер файла равен:  ");
    EXPECT_EQ(Form1->Image1->geometry(), QRect(2, -63, 427, 448));
    EXPECT_EQ(Form1->Image2->geometry(), QRect(2, 392, 427, 341));
    EXPECT_EQ(Form1->ScrollBox1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(MainWindowTest, ShowsTheStartupPhotograph) {
    ASSERT_NE(Form1->Image1->Picture().HeldGraphic(), nullptr);
    EXPECT_STREQ(Form1->Image1->Picture().HeldGraphic()->ClassName(), "TJPEGImage");
    EXPECT_EQ(Form1->Image1->Picture().Width(), 1280);
    // 1280 x 960 shrinks to 427 x 320 in the middle of the box; the sky is blue.
    QImage shot = Form1->Image1->grab().toImage();
    QColor sky = shot.pixelColor(213, 64 + 20);
    EXPECT_GT(sky.blue(), sky.red() + 40);
    EXPECT_EQ(PixelOf(shot, 213, 10), Form1->Image1->palette().color(QPalette::Window).rgb() & 0xFFFFFF);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(MainWindowTest, TheWholeScrollBoxViewportHasTheScrollBoxColour) {
    Form1->show();
    QApplication::processEvents();
    // Right of the image boxes' content, up to the scroll bar, from top to bottom.
    const QWidget* content = Form1->ScrollBox1->widget();
    const QImage shot = Form1->grab().toImage();
    const QPoint origin = Form1->ScrollBox1->viewport()->mapTo(Form1, QPoint(0, 0));
    const int viewportWidth = Form1->ScrollBox1->viewport()->width();
    ASSERT_GT(viewportWidth, content->width());
    for (int x = content->width(); x < viewportWidth; ++x)
        for (int y : {0, 100, Form1->ScrollBox1->viewport()->height() - 1})
            ASSERT_EQ(PixelOf(shot, origin.x() + x, origin.y() + y), 0xECE9D8u)
                << "viewport x " << x << ", y " << y;
    Form1->hide();
}

TEST_F(MainWindowTest, OpeningABitmapShowsItInTheUpperBox) {
    OpenThroughDialog(source);
    EXPECT_EQ(Form1->XPEdit1->text().toStdString(), source);
    EXPECT_EQ(UpperBoxPixel(40, 20, 5, 10), Red);
    EXPECT_EQ(UpperBoxPixel(40, 20, 35, 10), Green);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(MainWindowTest, CancellingTheOpenDialogChangesNothing) {
    Form1->XPEdit1->setText("typed");
    dialogs.openAnswers.push_back(std::nullopt);
    emit Form1->FancyButton1->clicked();
    EXPECT_EQ(Form1->XPEdit1->text(), "typed");
    EXPECT_STREQ(Form1->Image1->Picture().HeldGraphic()->ClassName(), "TJPEGImage");
}

TEST_F(MainWindowTest, OpenErrorsReachTheErrorBoxAndKeepThePicture) {
    OpenThroughDialog(dir + "/missing.bmp");
    EXPECT_EQ(Form1->XPEdit1->text().toStdString(), dir + "/missing.bmp");
    WriteBytes(dir + "/notes.txt", 10);
    OpenThroughDialog(dir + "/notes.txt");
    ASSERT_EQ(dialogs.errors.size(), 2u);
    EXPECT_EQ(dialogs.errors[0], "Cannot open file \"" + dir + "/missing.bmp\". No such file or directory.");
    EXPECT_EQ(dialogs.errors[1], "Unknown picture file extension (.txt)");  // ")" sorts before "."
    EXPECT_EQ(dialogs.titles[0], ApplicationTitle());
    EXPECT_STREQ(Form1->Image1->Picture().HeldGraphic()->ClassName(), "TJPEGImage");
}

TEST_F(MainWindowTest, AnErrorWhilePaintingReachesTheErrorBoxOnce) {
    WriteBytes(dir + "/empty.jpg", 0);
    OpenThroughDialog(dir + "/empty.jpg");  // loads: nothing is decoded before the first paint
    ASSERT_TRUE(dialogs.errors.empty());
    Form1->Image1->grab();
    QTRY_COMPARE(dialogs.errors.size(), std::size_t(1));
    EXPECT_EQ(dialogs.errors[0], "JPEG error #42.");
    Form1->Image1->grab();
    QTest::qWait(20);
    EXPECT_EQ(dialogs.errors.size(), 1u);
}

TEST_F(MainWindowTest, SavingAsJpegWritesTheTargetAndShowsItsSizeAndPreview) {
    OpenThroughDialog(source);
    ChooseTarget(dir + "/out", 1);
    EXPECT_EQ(Form1->XPEdit2->text().toStdString(), dir + "/out");
    WriteBytes(dir + "/out.jpg", 5000);  // an existing target is replaced
    Save();
    ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();
    std::string written = dir + "/out.jpg";
    ASSERT_TRUE(fs::exists(written));
    EXPECT_LT(fs::file_size(written), 5000u);
    EXPECT_EQ(Form1->Label7->Caption(), "Размер файла равен:  ");
    EXPECT_EQ(Form1->Label8->Caption(), KilobyteText(std::int64_t(fs::file_size(written))));
    TGraphic* preview = Form1->Image2->Picture().HeldGraphic();
    ASSERT_NE(preview, nullptr);
    EXPECT_STREQ(preview->ClassName(), "TJPEGImage");
    EXPECT_EQ(preview->Width(), 40);
    // The preview sits at the box's top-left corner and keeps its colours closely.
    QColor left = Form1->Image2->grab().toImage().pixelColor(5, 10);
    EXPECT_GT(left.red(), 200);
    EXPECT_LT(left.green(), 60);
}

TEST_F(MainWindowTest, ATargetEndingInJpgGetsASecondExtension) {
    OpenThroughDialog(source);
    ChooseTarget(dir + "/twice.jpg", 1);
    Save();
    EXPECT_TRUE(fs::exists(dir + "/twice.jpg.jpg"));
    EXPECT_FALSE(fs::exists(dir + "/twice.jpg"));
}

TEST_F(MainWindowTest, SavingBeforeAnyOpenCompressesThePhotograph) {
    Form1->Image1->grab();  // shown once, so the photograph is decoded
    ChooseTarget(dir + "/photo", 1);
    Save();
    ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();
    EXPECT_EQ(Form1->Image2->Picture().Width(), 1280);
}

TEST_F(MainWindowTest, SavingAsIconWritesTheSourceAsAnIconAndMakesItTheApplicationIcon) {
    OpenThroughDialog(source);
    ChooseTarget(dir + "/out", 2);
    qint64 iconBefore = QApplication::windowIcon().cacheKey();
    Save();
    ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();
    ASSERT_TRUE(fs::exists(dir + "/out.ico"));
    EXPECT_EQ(fs::file_size(dir + "/out.ico"), 766u);
    EXPECT_NE(QApplication::windowIcon().cacheKey(), iconBefore);
    EXPECT_STREQ(Form1->Image2->Picture().HeldGraphic()->ClassName(), "TIcon");
    EXPECT_EQ(Form1->Label8->Caption(), "1  KB");
}

TEST_F(MainWindowTest, AFailedSaveLeavesTheLabelsAndPreviewAlone) {
    OpenThroughDialog(source);
    ChooseTarget(dir + "/no-such-folder/out", 1);
    Save();
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0].rfind("Cannot create file \"" + dir + "/no-such-folder/out.jpg\".", 0), 0u)
        << dialogs.errors[0];
    EXPECT_EQ(Form1->Label8->Caption(), "");
    EXPECT_EQ(Form1->Image2->Picture().HeldGraphic(), nullptr);
}

TEST_F(MainWindowTest, InvertAndRotateWorkOnTheUpperPicture) {
    OpenThroughDialog(source);
    Form1->N2->trigger();
    EXPECT_EQ(UpperBoxPixel(40, 20, 5, 10), 0x00FFFFu);  // red inverted is cyan
    Form1->N101->trigger();
    EXPECT_EQ(UpperBoxPixel(40, 20, 5, 10), 0xFF00FFu);  // green, inverted, now on the left
    Form1->N901->trigger();
    EXPECT_EQ(Form1->Image1->Picture().Width(), 40);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(MainWindowTest, AnEditBeforeAnyOpenWorksOnThePhotographAsARaster) {
    Form1->N2->trigger();
    TGraphic* held = Form1->Image1->Picture().HeldGraphic();
    ASSERT_NE(held, nullptr);
    EXPECT_STREQ(held->ClassName(), "TBitmap");
    EXPECT_EQ(held->Width(), 1280);
    EXPECT_EQ(held->Height(), 960);
}

TEST_F(MainWindowTest, ReturnInTheSourceBoxOpensTheTypedPathAsTheOpenDialogWould) {
    Form1->XPEdit1->setText(QString::fromStdString(source));
    QTest::keyClick(Form1->XPEdit1, Qt::Key_Return);
    EXPECT_EQ(Form1->Image1->Picture().Width(), 40);
    Form1->XPEdit1->setText(QString::fromStdString(dir + "/missing.bmp"));
    QTest::keyClick(Form1->XPEdit1, Qt::Key_Return);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_NE(dialogs.errors[0].find("missing.bmp"), std::string::npos) << dialogs.errors[0];
    EXPECT_EQ(Form1->Image1->Picture().Width(), 40);
}

TEST_F(MainWindowTest, MenuCommandsShowTheirWindows) {
    Form1->N3->trigger();
    Form1->N4->trigger();
    Form1->N5->trigger();
    Form1->N8->trigger();
    EXPECT_TRUE(Form2->isVisible());
    EXPECT_TRUE(Form3->isVisible());
    EXPECT_TRUE(Form4->isVisible());
    EXPECT_TRUE(Form6->isVisible());
    QPoint at = Form4->pos();
    Form1->N5->trigger();  // already visible: unchanged
    EXPECT_EQ(Form4->pos(), at);
    Form4->close();  // the close box hides; the window lives on
    EXPECT_FALSE(Form4->isVisible());
    EXPECT_NE(Form4, nullptr);
}

TEST_F(MainWindowTest, DoubleClicksHandTheFilesToTheShell) {
    Form1->XPEdit1->setText("/some/source.bmp");
    Form1->XPEdit2->setText("/some/target");
    emit Form1->Image1->DoubleClicked();
    emit Form1->Image2->DoubleClicked();
    ChooseTarget("/some/icon", 2);
    emit Form1->Image2->DoubleClicked();
    EXPECT_EQ(shellPaths,
              (std::vector<std::string>{"/some/source.bmp", "/some/target.jpg", "/some/icon.ico"}));
}

TEST_F(MainWindowTest, RelativePathsReachTheShellResolvedAgainstTheWorkingFolder) {
    const fs::path before = fs::current_path();
    fs::current_path(dir);
    Form1->XPEdit1->setText("pictures/in.bmp");
    Form1->XPEdit2->setText("out3");
    emit Form1->Image1->DoubleClicked();
    emit Form1->Image2->DoubleClicked();
    Form1->XPEdit1->setText("");
    emit Form1->Image1->DoubleClicked();
    fs::current_path(before);
    EXPECT_EQ(shellPaths, (std::vector<std::string>{dir + "/pictures/in.bmp", dir + "/out3.jpg", ""}));
}

TEST_F(MainWindowTest, ARealDoubleClickOnTheLowerBoxReachesTheShell) {
    Form1->XPEdit2->setText("/x/y");
    QTest::mouseDClick(Form1->Image2, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(shellPaths, (std::vector<std::string>{"/x/y.jpg"}));
}

}  // namespace

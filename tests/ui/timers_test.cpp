#include <QAction>
#include <QSlider>
#include <QTest>

#include "tests/TestSupport.h"
#include "tests/ui/UiFixtures.h"
#include "ui/TImage.h"
#include "ui/TLabel.h"
#include "ui/Unit1.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPEdit.h"

namespace {

using TimersTest = FormsTest;

TEST_F(TimersTest, Timer1ShowsTheSliderPosition) {
    Form1->TrackBar1->setValue(35);
    QTRY_COMPARE(Form1->Label4->text(), QString("35"));
}

TEST_F(TimersTest, Timer2ShowsTheSourceSize) {
    QTRY_COMPARE(Form1->Label6->text(), QString("0  KB"));  // empty path: nothing found
    EXPECT_EQ(Form1->Label5->Caption(), "Размер файла равен:  ");
    std::string path = TempDir() + "/sized.bin";
    WriteBytes(path, 3584);
    Form1->XPEdit1->setText(QString::fromStdString(path));  // typed, not opened
    QTRY_COMPARE(Form1->Label6->text(), QString("4  KB"));
    EXPECT_STREQ(Form1->Image1->Picture().HeldGraphic()->ClassName(), "TJPEGImage");
}

TEST_F(TimersTest, Timer2FollowsTheFileTypeWhileTheSaveDialogIsOpen) {
    dialogs.whileSaveOpen = [](const FileDialogRequest& request) {
        ASSERT_TRUE(request.filterChanged);
        request.filterChanged(2);  // the user picks the icon type, not yet confirmed
        EXPECT_EQ(Form1->SavePictureDialog1.FilterIndex(), 2);
        QTRY_VERIFY(!Form1->TrackBar1->isEnabled());
    };
    dialogs.saveAnswers.push_back(std::nullopt);  // then cancels
    emit Form1->FancyButton2->clicked();
    EXPECT_EQ(Form1->SavePictureDialog1.FilterIndex(), 1);
    QTRY_VERIFY(Form1->TrackBar1->isEnabled());

    dialogs.whileSaveOpen = nullptr;
    dialogs.saveAnswers.push_back(FileDialogResult{"/tmp/x", 2});  // confirmed this time
    emit Form1->FancyButton2->clicked();
    QTRY_VERIFY(!Form1->TrackBar1->isEnabled());
}

TEST_F(TimersTest, Timer3EnablesTheInformationCommandOnlyWithASourcePath) {
    EXPECT_TRUE(Form1->BMP1->isEnabled());  // enabled until the first tick
    QTRY_VERIFY(!Form1->BMP1->isEnabled());
    Form1->XPEdit1->setText("anything");
    QTRY_VERIFY(Form1->BMP1->isEnabled());
}

}  // namespace

#include <QAction>
#include <QListWidget>
#include <QTest>

#include "tests/TestSupport.h"
#include "tests/ui/UiFixtures.h"
#include "ui/TImage.h"
#include "ui/TLabel.h"
#include "ui/Unit1.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
#include "widgets/TXPEdit.h"
#include "widgets/TXPListBox.h"

namespace {

using InfoWindowsTest = FormsTest;

std::vector<std::string> ListLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < Form5->XPListBox1->count(); ++i)
        lines.push_back(Form5->XPListBox1->item(i)->text().toStdString());
    return lines;
}

TEST_F(InfoWindowsTest, TheInformationCommandListsTheHeaderFacts) {
    std::string path = TempDir() + "/facts.bmp";
    WriteBmp24(path, 100, 50, [](int, int) { return 0x123456u; });
    Form1->XPEdit1->setText(QString::fromStdString(path));
    Form1->BMP1->trigger();
    EXPECT_TRUE(Form5->isVisible());
    std::vector<std::string> lines = ListLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "Filesize:    15054");
    EXPECT_EQ(lines[1], "Width:       100");
    EXPECT_EQ(lines[2], "Height:      50");
    EXPECT_EQ(lines[3], "BitCount:    24");
    EXPECT_EQ(lines[7], "Brelvik 1 10");

    // An unreadable source still shows the window, with the previous lines and the error.
    Form5->hide();
    Form1->XPEdit1->setText(QString::fromStdString(path + ".gone"));
    Form1->BMP1->trigger();
    EXPECT_TRUE(Form5->isVisible());
    EXPECT_EQ(ListLines(), lines);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0], "Cannot open file \"" + path + ".gone\". No such file or directory.");
}

TEST_F(InfoWindowsTest, ListItemsAreSixteenPixelsHighWithTheirTextInRed) {
    Form5->XPListBox1->addItems({"Width:       100", "Height:      50"});
    Form5->show();
    EXPECT_EQ(Form5->XPListBox1->visualItemRect(Form5->XPListBox1->item(1)).top() -
                  Form5->XPListBox1->visualItemRect(Form5->XPListBox1->item(0)).top(),
              16);
    QImage shot = Form5->XPListBox1->viewport()->grab().toImage();
    bool red = false;
    for (int y = 0; y < 16 && !red; ++y)
        for (int x = 2; x < 60 && !red; ++x) red = PixelOf(shot, x, y) == 0xFF0000;
    EXPECT_TRUE(red);
}

TEST_F(InfoWindowsTest, TheAboutWindowShowsItsPictureCutOffAtTheBox) {
    TImage* image = Form4->Image1;
    EXPECT_EQ(image->geometry(), QRect(8, 8, 81, 105));
    ASSERT_NE(image->Picture().HeldGraphic(), nullptr);
    EXPECT_EQ(image->Picture().Width(), 77);
    EXPECT_EQ(image->Picture().Height(), 119);
    EXPECT_EQ(image->DestRect(), (platform::TRect{0, 0, 77, 119}));
    EXPECT_EQ(Form4->Label1->geometry(), QRect(112, 16, 130, 14));
    EXPECT_EQ(Form4->Label2->cursor().shape(), Qt::PointingHandCursor);
}

}  // namespace

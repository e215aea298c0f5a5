#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>
#include <QTimer>

#include "core/DrawCaption.h"
#include "core/TBitmap.h"
#include "formats/TJPEGImage.h"
#include "tests/TestSupport.h"
#include "tests/ui/UiFixtures.h"
#include "ui/FontChoiceWindow.h"
#include "ui/TImage.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit6.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPComboBox.h"
#include "widgets/TXPEdit.h"

namespace {

// The scripted dialogs, with a font answer of the test's choosing.
class FontScriptedDialogs : public ScriptedDialogs {
public:
    std::optional<FontChoice> fontAnswer;
    int fontRuns = 0;
    std::optional<FontChoice> RunFontDialog(const FontChoice&) override {
        ++fontRuns;
        return fontAnswer;
    }
};

TColor PixelAt(int x, int y) {
    return Form1->Image1->Picture().AsBitmap().Surface().ReadPixel(x, y);
}

bool HoldsStartupPhotograph() {
    return dynamic_cast<TJPEGImage*>(Form1->Image1->Picture().HeldGraphic()) != nullptr;
}

class DialogsTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        SetDialogHandler(&fontDialogs);
        dir = TempDir();
    }

    // Opens a w x h picture of one colour (0xRRGGBB) through the main window's first browse button.
    void OpenPicture(int w, int h, std::uint32_t colour) {
        const std::string path = dir + "/picture.bmp";
        WriteBmp24(path, w, h, [colour](int, int) { return colour; });
        fontDialogs.openAnswers.push_back(FileDialogResult{path, 1});
        emit Form1->FancyButton1->clicked();
        ASSERT_EQ(Form1->Image1->Picture().Width(), w);
    }

    FontScriptedDialogs fontDialogs;
    std::string dir;
};

TEST_F(DialogsTest, BrightnessDialogsStartAsLaidOut) {
    EXPECT_EQ(Form2->windowTitle(), "Brelvik 100");
    EXPECT_EQ(Form3->windowTitle(), "Brelvik 100");
    EXPECT_EQ(Form2->Client()->size(), QSize(288, 64));
    EXPECT_EQ(Form3->Client()->size(), QSize(289, 66));
    const QStringList lighten{"", "10", "20", "30", "40", "50"}, darken{"-10", "-20", "-30", "-40", "-50"};
    for (int i = 0; i < lighten.size(); ++i) EXPECT_EQ(Form2->XPComboBox1->itemText(i), lighten[i]);
    for (int i = 0; i < darken.size(); ++i) EXPECT_EQ(Form3->XPComboBox1->itemText(i), darken[i]);
    EXPECT_EQ(Form2->XPComboBox1->currentIndex(), -1);
    EXPECT_EQ(Form3->XPComboBox1->currentIndex(), -1);
    // Both show "Да" on the left, though the Darken dialog's buttons are named the other way round.
    EXPECT_EQ(Form2->FancyButton1->Caption(), "Да");
    EXPECT_EQ(Form3->FancyButton2->Caption(), "Да");
    EXPECT_LT(Form3->FancyButton2->x(), Form3->FancyButton1->x());
}

TEST_F(DialogsTest, LightenTenThreeTimesAddsThirtyWhereTheChannelStaysAByte) {
    OpenPicture(8, 4, 0x64F0C8);  // red 100, green 240, blue 200
    Form1->N3Click();
    Form2->XPComboBox1->setCurrentIndex(Form2->XPComboBox1->findText("10"));
    for (int i = 0; i < 3; ++i) emit Form2->FancyButton1->clicked();
    // Green stops once 250 + 10 would leave the byte range; the others rise by 30.
    EXPECT_EQ(PixelAt(3, 2), TColor(0x82 | 250 << 8 | 0xE6 << 16));
    EXPECT_TRUE(Form2->isVisible());
    EXPECT_EQ(Form2->XPComboBox1->currentText(), "10");
    EXPECT_TRUE(dialogs.errors.empty() && fontDialogs.errors.empty());
}

TEST_F(DialogsTest, DarkenByFiftyLeavesChannelsBelowFiftyAlone) {
    OpenPicture(5, 5, 0x0A3130);  // 10, 49, 48
    Form3->XPComboBox1->setCurrentIndex(Form3->XPComboBox1->findText("-50"));
    emit Form3->FancyButton2->clicked();
    EXPECT_EQ(PixelAt(0, 0), TColor(0x30310A));
    EXPECT_EQ(PixelAt(4, 4), TColor(0x30310A));
}

TEST_F(DialogsTest, YesWithoutAStepLeavesEvenTheStartupPhotograph) {
    ASSERT_TRUE(HoldsStartupPhotograph());
    emit Form2->FancyButton1->clicked();     // nothing selected
    Form2->XPComboBox1->setCurrentIndex(0);  // the empty item
    emit Form2->FancyButton1->clicked();
    emit Form3->FancyButton2->clicked();
    EXPECT_TRUE(HoldsStartupPhotograph());
    EXPECT_TRUE(fontDialogs.errors.empty());
}

TEST_F(DialogsTest, HidingAndShowingAgainKeepsTheSelection) {
    Form1->N4Click();
    Form3->XPComboBox1->setCurrentIndex(2);
    Form1->N4Click();  // already visible: unchanged
    EXPECT_TRUE(Form3->isVisible());
    emit Form3->FancyButton1->clicked();  // "Отмена"
    EXPECT_FALSE(Form3->isVisible());
    Form1->N4Click();
    EXPECT_TRUE(Form3->isVisible());
    EXPECT_EQ(Form3->XPComboBox1->currentText(), "-30");
    Form2->show();
    Form2->close();  // the close box hides too
    EXPECT_FALSE(Form2->isVisible());
}

TEST_F(DialogsTest, CaptionDialogStartsAsLaidOut) {
    EXPECT_EQ(Form6->windowTitle(), "Текст");
    EXPECT_EQ(Form6->XPComboBox1->count(), 14);
    EXPECT_EQ(Form6->XPComboBox2->count(), 15);
    EXPECT_EQ(Form6->XPComboBox2->itemText(13), "500");
    EXPECT_EQ(Form6->XPComboBox2->itemText(14), "");
    EXPECT_EQ(Form6->XPComboBox1->currentText(), "10");
    EXPECT_EQ(Form6->XPComboBox2->currentText(), "10");
    EXPECT_TRUE(Form6->XPEdit3->isReadOnly());
    EXPECT_TRUE(Form6->XPEdit3->text().isEmpty());
}

TEST_F(DialogsTest, EmptyYPositionIsReportedAndLeavesThePicture) {
    Form6->XPEdit1->setText("Hi");
    Form6->XPComboBox2->setCurrentIndex(14);
    emit Form6->FancyButton1->clicked();
    ASSERT_EQ(fontDialogs.errors.size(), 1u);
    EXPECT_EQ(fontDialogs.errors[0], "'' is not a valid integer value.");
    EXPECT_TRUE(HoldsStartupPhotograph());
}

TEST_F(DialogsTest, CancelledFontDialogStillShowsTheFontInForce) {
    emit Form6->FancyButton4->clicked();
    EXPECT_EQ(fontDialogs.fontRuns, 1);
    EXPECT_EQ(Form6->XPEdit3->text(), "MS Sans Serif");
    fontDialogs.fontAnswer = FontChoice{"DejaVu Serif", 14, clRed, 0};
    emit Form6->FancyButton4->clicked();
    EXPECT_EQ(Form6->XPEdit3->text(), "DejaVu Serif");
    fontDialogs.fontAnswer.reset();
    emit Form6->FancyButton4->clicked();
    EXPECT_EQ(Form6->XPEdit3->text(), "DejaVu Serif");
}

TEST_F(DialogsTest, CaptionUsesTheChosenFaceSizeAndColourButNotTheStyle) {
    OpenPicture(200, 80, 0xFFFFFF);
    fontDialogs.fontAnswer = FontChoice{"DejaVu Serif", 20, clRed, fsBold | fsUnderline};
    emit Form6->FancyButton4->clicked();
    Form6->XPEdit1->setText("Wg");
    Form6->XPComboBox1->setCurrentIndex(Form6->XPComboBox1->findText("30"));
    emit Form6->FancyButton1->clicked();
    ASSERT_TRUE(fontDialogs.errors.empty());

    // The same drawing, done directly with the face, size and colour only.
    TBitmap expected;
    expected.CopyFrom(&Form1->Image1->Picture().AsBitmap());
    expected.Surface().Brush().SetColor(clWhite);
    expected.Surface().FillRect({0, 0, 200, 80});
    DrawCaption(expected, "Wg", 30, 10, clRed, "DejaVu Serif", 20);

    int letters = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 200; ++x) {
            const TColor got = PixelAt(x, y);
            ASSERT_EQ(got, expected.Surface().ReadPixel(x, y)) << x << "," << y;
            ASSERT_TRUE(got == clWhite || got == clRed) << x << "," << y;
            letters += got == clRed;
        }
    EXPECT_GT(letters, 40);
    EXPECT_EQ(PixelAt(29, 10), clWhite);  // nothing left of X
}

// The real font window, reached through the real dialog seam and cancelled.
TEST_F(DialogsTest, RealFontWindowCancelledKeepsTheFont) {
    SetDialogHandler(nullptr);
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        auto* window = qobject_cast<TFontChoiceWindow*>(QApplication::activeModalWidget());
        seen = window != nullptr;
        if (window) window->reject();
    });
    emit Form6->FancyButton4->clicked();
    EXPECT_TRUE(seen);
    EXPECT_EQ(Form6->XPEdit3->text(), "MS Sans Serif");
    EXPECT_EQ(Form6->FontDialog1.Font.sizePoints, 8);
}

TEST(FontChoiceWindow, StartsFromTheCurrentFontAndOffersSixteenColours) {
    const FontChoice start;
    TFontChoiceWindow window(start);
    const FontChoice same = window.Choice();
    EXPECT_EQ(same.name, "MS Sans Serif");
    EXPECT_EQ(same.sizePoints, 8);
    EXPECT_EQ(same.color, clWindowText);  // a system colour is kept as it is
    auto* colours = window.findChild<QComboBox*>("Colour");
    ASSERT_NE(colours, nullptr);
    EXPECT_EQ(colours->count(), 17);  // the current colour, then the sixteen
    EXPECT_EQ(colours->itemText(10), "Red");

    auto* families = window.findChild<QListWidget*>("Families");
    ASSERT_NE(families, nullptr);
    ASSERT_GT(families->count(), 0);
    families->setCurrentRow(0);
    colours->setCurrentIndex(colours->findText("Navy"));
    window.findChild<QSpinBox*>("Size")->setValue(15);
    const FontChoice picked = window.Choice();
    EXPECT_EQ(picked.name, families->item(0)->text().toStdString());
    EXPECT_EQ(picked.sizePoints, 15);
    EXPECT_EQ(picked.color, TColor(0x800000));
}

TEST(FontChoiceWindow, ANamedColourIsSelectedWithoutAnExtraEntry) {
    TFontChoiceWindow window(FontChoice{"DejaVu Sans", 12, clLime, 0});
    auto* colours = window.findChild<QComboBox*>("Colour");
    EXPECT_EQ(colours->count(), 16);
    EXPECT_EQ(colours->currentText(), "Lime");
    EXPECT_EQ(window.Choice().color, clLime);
}

TEST_F(DialogsTest, ThePickListsOfTheDialogsHaveRowsThirteenPixelsHigh) {
    for (TXPComboBox* list :
         {Form2->XPComboBox1, Form3->XPComboBox1, Form6->XPComboBox1, Form6->XPComboBox2}) {
        EXPECT_EQ(list->ItemHeight(), 13);
        EXPECT_EQ(list->view()->sizeHintForRow(0), 13);
    }
}

}  // namespace

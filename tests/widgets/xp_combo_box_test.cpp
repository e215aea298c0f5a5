#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QEnterEvent>

#include "tests/widgets/WidgetPixels.h"
#include "widgets/TXPComboBox.h"

// The combo-box button bitmaps live in the resources of the widgets library.
static void LoadProgramResources() {
    Q_INIT_RESOURCE(widgets);
}

namespace {

constexpr Rgb Corner{234, 234, 255}, BlueChevron{35, 105, 190};

std::set<QRgb> ImageColours(const char* name) {
    return ColoursOf(QImage(QString(":/") + name));
}

bool FromImage(const QImage& shot, int x, int y, const char* name) {
    return ImageColours(name).count(shot.pixel(x, y) | 0xFF000000u) == 1;
}

// A 145 x 21 pick-list combo box; with a 17-pixel scroll bar its image spans columns 127..142 and
// rows 2..18, and the chevron starts at (130, 8).
struct Combo {
    QWidget parent;
    TXPComboBox* combo;
    Combo() {
        LoadProgramResources();
        parent.resize(220, 60);
        combo = new TXPComboBox(&parent);
        combo->SetStyle(csDropDownList);
        combo->setGeometry(0, 0, 145, 21);
        combo->addItems({"10", "20", "30"});
        parent.show();
    }
    QImage Shot() { return ::Shot(*combo); }
    void Enter(QPoint pos) {
        const QPointF local(pos);
        QEnterEvent enter(local, local, QPointF(combo->mapToGlobal(pos)));
        QApplication::sendEvent(combo, &enter);
        SendMouse(*combo, QEvent::MouseMove, pos);
    }
};

}  // namespace

TEST(XPComboBox, NewPickListShowsTheNormalBlueButton) {
    Combo c;
    EXPECT_FALSE(ImageColours("XPCBNOR").empty()) << "button images missing from the resources";
    const QImage shot = c.Shot();
    EXPECT_EQ(PixelAt(shot, 0, 10), (Rgb{124, 161, 223}));
    EXPECT_TRUE(FromImage(shot, 127, 10, "XPCBNOR"));  // no outline in blue
    EXPECT_TRUE(FromImage(shot, 135, 4, "XPCBNOR"));
    for (QPoint p : {QPoint(127, 2), QPoint(142, 2), QPoint(127, 18), QPoint(142, 18)})
        EXPECT_EQ(PixelAt(shot, p.x(), p.y()), Corner) << p.x() << "," << p.y();
    EXPECT_EQ(PixelAt(shot, 131, 8), BlueChevron);
    EXPECT_EQ(PixelAt(shot, 137, 8), BlueChevron);
    EXPECT_EQ(PixelAt(shot, 134, 13), BlueChevron);
    EXPECT_NE(PixelAt(shot, 130, 8), BlueChevron);
    EXPECT_EQ(PixelAt(shot, 143, 10), (Rgb{255, 255, 255}));  // white margin at the right
}

TEST(XPComboBox, PointerOverAPickListShowsTheHotButton) {
    Combo c;
    c.Enter({20, 10});
    EXPECT_TRUE(c.combo->MouseInControl());
    EXPECT_TRUE(c.combo->OverHotArea());
    const QImage shot = c.Shot();
    EXPECT_EQ(PixelAt(shot, 127, 10), (Rgb{123, 160, 223}));
    EXPECT_EQ(PixelAt(shot, 135, 18), (Rgb{123, 160, 223}));
    EXPECT_TRUE(FromImage(shot, 135, 4, "XPCBHOT"));
    EXPECT_EQ(PixelAt(shot, 127, 2), Corner);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(c.combo, &leave);
    EXPECT_TRUE(FromImage(c.Shot(), 127, 10, "XPCBNOR"));
}

TEST(XPComboBox, EditableComboIsHotOnlyOverItsButton) {
    Combo c;
    c.combo->SetStyle(csDropDown);
    c.Enter({20, 10});
    EXPECT_FALSE(c.combo->OverHotArea());
    SendMouse(*c.combo, QEvent::MouseMove, {130, 10});
    EXPECT_TRUE(c.combo->OverHotArea());
    EXPECT_TRUE(FromImage(c.Shot(), 135, 4, "XPCBHOT"));
}

TEST(XPComboBox, DisabledComboShowsTheDisabledButton) {
    Combo c;
    c.combo->setEnabled(false);
    const QImage shot = c.Shot();
    EXPECT_TRUE(FromImage(shot, 127, 10, "XPCBDIS"));
    EXPECT_EQ(PixelAt(shot, 131, 8), (Rgb{203, 193, 182}));
    EXPECT_EQ(PixelAt(shot, 0, 10), (Rgb{208, 197, 185}));
}

TEST(XPComboBox, HeldButtonFollowsThePointerUntilReleased) {
    Combo c;
    SendMouse(*c.combo, QEvent::MouseButtonPress, {135, 10});
    EXPECT_TRUE(c.combo->ButtonHeld());
    EXPECT_TRUE(c.combo->ButtonHit());
    EXPECT_TRUE(FromImage(c.Shot(), 135, 4, "XPCBDOWN"));
    SendMouse(*c.combo, QEvent::MouseMove, {40, 10});
    EXPECT_FALSE(c.combo->ButtonHit());
    EXPECT_TRUE(FromImage(c.Shot(), 135, 4, "XPCBNOR"));
    SendMouse(*c.combo, QEvent::MouseMove, {130, 5});
    EXPECT_TRUE(c.combo->ButtonHit());
    SendMouse(*c.combo, QEvent::MouseButtonRelease, {130, 5});
    EXPECT_FALSE(c.combo->ButtonHit());
    EXPECT_FALSE(c.combo->ButtonHeld());
    c.combo->hidePopup();
}

TEST(XPComboBox, OpenListIsWidenedAndSuppressesTheHotLook) {
    Combo c;
    c.combo->SetDropDownWidthPlus(-10);
    EXPECT_EQ(c.combo->DropDownWidthPlus(), 0);
    c.combo->SetDropDownWidthPlus(40);
    c.Enter({20, 10});
    c.combo->showPopup();
    EXPECT_TRUE(c.combo->ListOpen());
    EXPECT_EQ(c.combo->view()->window()->width(), 185);
    EXPECT_TRUE(FromImage(c.Shot(), 135, 4, "XPCBNOR"));
    c.combo->hidePopup();
    EXPECT_FALSE(c.combo->ListOpen());
}

TEST(XPComboBox, SimpleStyleHasBorderButNoButton) {
    Combo c;
    c.combo->SetStyle(csSimple);
    const QImage shot = c.Shot();
    EXPECT_EQ(PixelAt(shot, 0, 10), (Rgb{124, 161, 223}));
    EXPECT_NE(PixelAt(shot, 127, 2), Corner);
    EXPECT_NE(PixelAt(shot, 131, 8), BlueChevron);
}

TEST(XPComboBox, OtherVariantsDrawTheirOutlines) {
    Combo c;
    c.combo->SetXPScheme(xpSilver);
    QImage shot = c.Shot();
    // Silver fills the white area's full height and reaches one column further right.
    EXPECT_EQ(PixelAt(shot, 127, 10), (Rgb{0x93, 0x94, 0xA2}));
    EXPECT_EQ(PixelAt(shot, 127, 1), Corner);
    EXPECT_EQ(PixelAt(shot, 143, 19), Corner);
    EXPECT_EQ(PixelAt(shot, 132, 8), (Rgb{0x33, 0x33, 0x33}));
    c.combo->SetXPScheme(xpOrange);
    shot = c.Shot();
    EXPECT_EQ(PixelAt(shot, 127, 10), (Rgb{0xFC, 0xBB, 0x7A}));
    EXPECT_TRUE(FromImage(shot, 135, 4, "XPCBNORO"));
}

TEST(XPComboBox, ListRowsTakeTheItemHeight) {
    Combo c;
    c.combo->SetItemHeight(13);
    EXPECT_EQ(c.combo->ItemHeight(), 13);
    c.combo->showPopup();
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(c.combo->view()->visualRect(c.combo->model()->index(row, 0)).height(), 13) << row;
    c.combo->hidePopup();
}

// A pick list's field is white like an edit's, with the chosen item's text on it; only the
// button and the border are the combo box's own.
TEST(XPComboBox, PickListFieldIsWhite) {
    Combo c;
    const QImage empty = c.Shot();
    for (int x : {3, 60, 120})
        for (int y : {3, 10, 17}) EXPECT_EQ(PixelAt(empty, x, y), (Rgb{255, 255, 255})) << x << "," << y;
    c.combo->setCurrentIndex(1);
    const QImage chosen = c.Shot();
    int ink = 0;
    for (int x = 3; x < 30; ++x)
        for (int y = 3; y < 18; ++y) ink += qGray(chosen.pixel(x, y)) < 128;
    EXPECT_GT(ink, 5) << "the chosen item's text is missing";
    EXPECT_EQ(PixelAt(chosen, 100, 10), (Rgb{255, 255, 255}));
}

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "tests/widgets/WidgetPixels.h"
#include "widgets/FancyFace.h"
#include "widgets/FancyLayout.h"
#include "widgets/SharedButtonLook.h"
#include "widgets/TFancyButton.h"
#include "widgets/WidgetsAccessibility.h"

namespace {

constexpr Rgb Red{255, 0, 0}, Ring1{86, 169, 0}, Ring2{34, 221, 0}, Face{8, 247, 0};
constexpr Rgb Backdrop{10, 20, 30};

// A 97 x 25 button with the program's shared look on a plain backdrop.
struct ButtonOnBackdrop {
    QWidget parent;
    TFancyButton* button;

    explicit ButtonOnBackdrop(const std::string& caption = "") {
        parent.resize(200, 60);
        parent.setAutoFillBackground(true);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, QColor(10, 20, 30));
        parent.setPalette(palette);
        button = new TFancyButton(&parent);
        ApplySharedButtonLook(*button);
        button->SetCaption(caption);
        parent.show();
    }
    QImage Shot() { return ::Shot(parent); }
    QPoint Centre() const { return {48, 12}; }
};

bool Contains(const QImage& image, QRect area, Rgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (PixelAt(image, x, y) == colour) return true;
    return false;
}

}  // namespace

TEST(FancyButton, NewButtonHasItsDocumentedDefaults) {
    TFancyButton button;
    EXPECT_EQ(button.width(), 97);
    EXPECT_EQ(button.height(), 25);
    EXPECT_EQ(button.FancyEffects().FaceColor(), clBtnFace);
    EXPECT_EQ(button.FancyEffects().FrameColor(), clGray);
    EXPECT_EQ(button.FancyEffects().FrameWidth(), 4);
    EXPECT_EQ(button.FontColor(), clWindowText);
    EXPECT_EQ(button.GlyphState(), GlyphNormal);
    EXPECT_FALSE(button.Pressed());
    EXPECT_EQ(button.focusPolicy(), Qt::TabFocus);  // the keyboard reaches it; a click does not focus it
}

TEST(FancyButton, GradientFrameRingsAndFace) {
    ButtonOnBackdrop b;
    const QImage shot = b.Shot();
    // Middle row, from each side inward: the four rings, then the face.
    EXPECT_EQ(PixelAt(shot, 0, 12), Red);
    EXPECT_EQ(PixelAt(shot, 1, 12), Ring1);
    EXPECT_EQ(PixelAt(shot, 2, 12), Ring2);
    EXPECT_EQ(PixelAt(shot, 3, 12), Face);
    EXPECT_EQ(PixelAt(shot, 48, 12), Face);
    EXPECT_EQ(PixelAt(shot, 96, 12), Red);
    EXPECT_EQ(PixelAt(shot, 95, 12), Ring1);
    EXPECT_EQ(PixelAt(shot, 48, 0), Red);
    EXPECT_EQ(PixelAt(shot, 48, 24), Red);
    EXPECT_EQ(PixelAt(shot, 48, 3), Face);
    // Rounded corners leave the parent visible; just beside the button too.
    EXPECT_EQ(PixelAt(shot, 0, 0), Backdrop);
    EXPECT_EQ(PixelAt(shot, 96, 24), Backdrop);
    EXPECT_EQ(PixelAt(shot, 97, 12), Backdrop);
}

TEST(FancyButton, RingColoursAndMixesAreExact) {
    EXPECT_EQ(FrameRingColor(clLime, clRed, 4, 0), platform::RGB(255, 0, 0));
    EXPECT_EQ(FrameRingColor(clLime, clRed, 4, 3), platform::RGB(8, 247, 0));
    EXPECT_EQ(MixFrameIntoFace(clLime, clRed, 40), platform::RGB(102, 153, 0));
    EXPECT_EQ(MixFrameIntoFace(clLime, clRed, 15), platform::RGB(38, 217, 0));
    // A tie goes to the even integer: 50 % of 1 and 0 is 0.5, giving 0.
    EXPECT_EQ(MixFrameIntoFace(platform::RGB(1, 3, 0), 0, 50), platform::RGB(0, 2, 0));
    // Square corners: every ring is a plain rectangle i pixels in.
    const platform::Region ring = FrameRingRegion(btnRectangle, 20, 10, 0, 2);
    EXPECT_EQ(ring.Bounds(), platform::Rect(2, 2, 18, 8));
    EXPECT_TRUE(ring.Contains(2, 2));
}

TEST(FancyButton, HeldDownShowsTheSunkenFace) {
    ButtonOnBackdrop b;
    SendMouse(*b.button, QEvent::MouseMove, b.Centre());
    SendMouse(*b.button, QEvent::MouseButtonPress, b.Centre());
    ASSERT_TRUE(b.button->Pressed());
    EXPECT_EQ(b.button->GlyphState(), GlyphDown);
    const QImage shot = b.Shot();
    EXPECT_EQ(PixelAt(shot, 0, 12), Backdrop);
    EXPECT_EQ(PixelAt(shot, 1, 12), (Rgb{0, 0, 0}));
    EXPECT_EQ(PixelAt(shot, 2, 12), (Rgb{102, 153, 0}));
    EXPECT_EQ(PixelAt(shot, 3, 12), (Rgb{38, 217, 0}));
    EXPECT_EQ(PixelAt(shot, 48, 12), (Rgb{38, 217, 0}));
    EXPECT_EQ(PixelAt(shot, 95, 12), (Rgb{38, 217, 0}));
    EXPECT_EQ(PixelAt(shot, 96, 12), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelAt(shot, 48, 24), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelAt(shot, 48, 1), (Rgb{0, 0, 0}));
}

TEST(FancyButton, CaptionTakesTheHoverColourOnlyUnderThePointer) {
    ButtonOnBackdrop b("Open");
    const QRect face(4, 4, 89, 17);
    const Rgb yellow{255, 255, 0};
    EXPECT_FALSE(Contains(b.Shot(), face, yellow));
    EXPECT_TRUE(Contains(b.Shot(), face, (Rgb{0, 0, 0})));
    SendMouse(*b.button, QEvent::MouseMove, b.Centre());
    EXPECT_TRUE(b.button->MouseInShape());
    EXPECT_TRUE(Contains(b.Shot(), face, yellow));
    // Held down, the caption returns to the font colour.
    SendMouse(*b.button, QEvent::MouseButtonPress, b.Centre());
    EXPECT_FALSE(Contains(b.Shot(), face, yellow));
}

TEST(FancyButton, DisabledCaptionIsDrawnInTheShadowColour) {
    ButtonOnBackdrop b("Open");
    b.button->setEnabled(false);
    EXPECT_EQ(b.button->GlyphState(), GlyphDisabled);
    const QImage shot = b.Shot();
    EXPECT_TRUE(Contains(shot, QRect(4, 4, 89, 17), (Rgb{172, 168, 153})));
    EXPECT_FALSE(Contains(shot, QRect(4, 4, 89, 17), (Rgb{0, 0, 0})));
}

TEST(FancyButton, SettersClampAfterComparing) {
    TFancyEffects effects;
    int changes = 0;
    effects.OnEffectChange = [&](TFancyEffects&) { ++changes; };
    effects.SetFrameWidth(1);
    EXPECT_EQ(effects.FrameWidth(), 3);
    effects.SetFrameWidth(20);
    EXPECT_EQ(effects.FrameWidth(), 14);
    effects.SetCornerRadius(-5);
    EXPECT_EQ(effects.CornerRadius(), 0);
    effects.SetCornerRadius(145);
    changes = 0;
    effects.SetCornerRadius(200);  // differs from the stored 145 before clamping
    EXPECT_EQ(effects.CornerRadius(), 145);
    EXPECT_EQ(changes, 1);
    effects.SetCornerRadius(145);
    EXPECT_EQ(changes, 1);

    TFancyGlyphs glyphs;
    glyphs.SetNumber(0);
    EXPECT_EQ(glyphs.Number(), 1);
    glyphs.SetNumber(9);
    EXPECT_EQ(glyphs.Number(), 4);
    glyphs.SetDistance(-3);
    EXPECT_EQ(glyphs.Distance(), 0);
}

TEST(FancyButton, SizeIsLimitedAfterPainting) {
    ButtonOnBackdrop b;
    b.parent.resize(300, 300);
    b.button->resize(200, 180);
    EXPECT_EQ(b.button->width(), 200);
    b.Shot();
    QCoreApplication::processEvents();
    EXPECT_EQ(b.button->width(), 145);
    EXPECT_EQ(b.button->height(), 145);
}

TEST(FancyButton, LayoutCentresCaptionAndPlacesGlyph) {
    const FancyLayout none = ComputeFancyLayout(lyLeft, {97, 25, 0, 0, 40, 13, 0});
    EXPECT_EQ(none.TextLeft, 28);
    EXPECT_EQ(none.TextTop, 6);
    const FancyLayout left = ComputeFancyLayout(lyLeft, {97, 25, 16, 16, 40, 13, 4});
    EXPECT_EQ(left.GlyphLeft, 18);
    EXPECT_EQ(left.TextLeft, 38);
    const FancyLayout right = ComputeFancyLayout(lyRight, {97, 25, 16, 16, 40, 13, 4});
    EXPECT_EQ(right.GlyphLeft, 97 - 18 - 16);
    EXPECT_EQ(right.TextLeft, right.GlyphLeft - 4 - 40);
    const FancyLayout bottom = ComputeFancyLayout(lyBottom, {60, 50, 16, 16, 40, 13, 2});
    EXPECT_EQ(bottom.GlyphTop, 50 - 9 - 16);
    EXPECT_EQ(bottom.TextTop, bottom.GlyphTop - 2 - 13);
    // A caption wider than the button starts left of it.
    EXPECT_LT(ComputeFancyLayout(lyCenter, {30, 25, 0, 0, 50, 13, 0}).TextLeft, 0);
}

TEST(FancyButtonClicks, RightButtonNeitherPressesNorClicks) {
    ButtonOnBackdrop b;
    QSignalSpy clicks(b.button, &TFancyButton::clicked);
    SendMouse(*b.button, QEvent::MouseMove, b.Centre());
    SendMouse(*b.button, QEvent::MouseButtonPress, b.Centre(), Qt::RightButton);
    EXPECT_FALSE(b.button->Pressed());
    SendMouse(*b.button, QEvent::MouseButtonRelease, b.Centre(), Qt::RightButton);
    EXPECT_EQ(clicks.count(), 0);
    // The middle button clicks like the left one.
    SendMouse(*b.button, QEvent::MouseButtonPress, b.Centre(), Qt::MiddleButton);
    SendMouse(*b.button, QEvent::MouseButtonRelease, b.Centre(), Qt::MiddleButton);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(FancyButtonClicks, PressOutsideTheShapeDoesNothingUntilThePointerEntersIt) {
    ButtonOnBackdrop b;
    QSignalSpy clicks(b.button, &TFancyButton::clicked);
    SendMouse(*b.button, QEvent::MouseMove, {0, 0});
    EXPECT_FALSE(b.button->MouseInShape());
    SendMouse(*b.button, QEvent::MouseButtonPress, {0, 0});
    EXPECT_FALSE(b.button->Pressed());
    SendMouse(*b.button, QEvent::MouseButtonRelease, {0, 0});
    EXPECT_EQ(clicks.count(), 0);

    SendMouse(*b.button, QEvent::MouseButtonPress, {0, 0});
    SendMouse(*b.button, QEvent::MouseMove, b.Centre());
    SendMouse(*b.button, QEvent::MouseButtonRelease, b.Centre());
    EXPECT_EQ(clicks.count(), 1);
}

TEST(FancyButtonClicks, LeavingWhileHeldEndsTheSunkenLookButReturningStillClicks) {
    ButtonOnBackdrop b;
    QSignalSpy clicks(b.button, &TFancyButton::clicked);
    SendMouse(*b.button, QEvent::MouseMove, b.Centre());
    SendMouse(*b.button, QEvent::MouseButtonPress, b.Centre());
    ASSERT_TRUE(b.button->Pressed());
    SendMouse(*b.button, QEvent::MouseMove, {150, 12});
    EXPECT_FALSE(b.button->Pressed());
    EXPECT_EQ(PixelAt(b.Shot(), 48, 12), Face);
    SendMouse(*b.button, QEvent::MouseMove, b.Centre());
    EXPECT_FALSE(b.button->Pressed());
    SendMouse(*b.button, QEvent::MouseButtonRelease, b.Centre());
    EXPECT_EQ(clicks.count(), 1);
}

TEST(FancyButtonClicks, ButtonStaysSunkenWhileTheClickRuns) {
    ButtonOnBackdrop b;
    Rgb duringClick{};
    QObject::connect(b.button, &TFancyButton::clicked, [&] { duringClick = PixelAt(b.Shot(), 48, 12); });
    SendMouse(*b.button, QEvent::MouseMove, b.Centre());
    SendMouse(*b.button, QEvent::MouseButtonPress, b.Centre());
    SendMouse(*b.button, QEvent::MouseButtonRelease, b.Centre());
    EXPECT_EQ(duringClick, (Rgb{38, 217, 0}));
    EXPECT_FALSE(b.button->Pressed());
    EXPECT_EQ(PixelAt(b.Shot(), 48, 12), Face);
}

// What a modal dialog opened by the click does to the button: it takes the pointer (a leave while
// the handler runs), and when it closes over a resting pointer the button hears only an enter.
TEST(FancyButtonClicks, ModalDialogKeepsTheButtonSunkenAndAnEnterAloneArmsTheNextClick) {
    ButtonOnBackdrop b;
    int clicks = 0;
    Rgb underDialog{};
    QObject::connect(b.button, &TFancyButton::clicked, [&] {
        ++clicks;
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(b.button, &leave);
        underDialog = PixelAt(b.Shot(), 48, 12);
        EXPECT_TRUE(b.button->Pressed());
    });
    SendMouse(*b.button, QEvent::MouseMove, b.Centre());
    SendMouse(*b.button, QEvent::MouseButtonPress, b.Centre());
    SendMouse(*b.button, QEvent::MouseButtonRelease, b.Centre());
    EXPECT_EQ(underDialog, (Rgb{38, 217, 0}));
    EXPECT_FALSE(b.button->Pressed());
    EXPECT_FALSE(b.button->MouseInShape());

    QEnterEvent enter(b.Centre(), b.button->mapToGlobal(b.Centre()), b.button->mapToGlobal(b.Centre()));
    QApplication::sendEvent(b.button, &enter);
    EXPECT_TRUE(b.button->MouseInShape());
    EXPECT_EQ(b.button->GlyphState(), GlyphHot);
    SendMouse(*b.button, QEvent::MouseButtonPress, b.Centre());
    SendMouse(*b.button, QEvent::MouseButtonRelease, b.Centre());
    EXPECT_EQ(clicks, 2);

    // Entering at a corner outside the rounded shape does not arm it.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b.button, &leave);
    QEnterEvent corner(QPointF(0, 0), b.button->mapToGlobal(QPointF(0, 0)),
                       b.button->mapToGlobal(QPointF(0, 0)));
    QApplication::sendEvent(b.button, &corner);
    EXPECT_FALSE(b.button->MouseInShape());
}

TEST(FancyButtonClicks, AcceleratorClicksOnlyAnEnabledButton) {
    ButtonOnBackdrop b("&Save");
    QSignalSpy clicks(b.button, &TFancyButton::clicked);
    EXPECT_FALSE(b.button->DialogChar(u'a'));
    EXPECT_TRUE(b.button->DialogChar(u's'));
    EXPECT_EQ(clicks.count(), 1);
    b.parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&b.parent));
    QTest::keyClick(&b.parent, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 2);
    b.button->setEnabled(false);
    EXPECT_FALSE(b.button->DialogChar(u'S'));
    // The generic click request only repaints.
    b.button->setEnabled(true);
    const auto before = clicks.count();
    b.button->Click();
    EXPECT_EQ(clicks.count(), before);
}

// Keyboard users: Tab reaches the button, Space (on release) and Return click it, a dotted black
// mark shows only while it holds the focus, and a mouse click neither focuses it nor looks new.
// Assistive tools see a push button named by its caption, pressed while held, whose press action
// clicks it from the event loop.
TEST(FancyButtonKeyboard, TabFocusKeysFocusMarkAndAccessibleButton) {
    InstallWidgetsAccessibility();
    ButtonOnBackdrop b("&Open");
    QSignalSpy clicks(b.button, &TFancyButton::clicked);
    b.parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&b.parent));
    b.button->clearFocus();  // the window's activation gave it to its only focusable control
    SendMouse(*b.button, QEvent::MouseMove, b.Centre());
    SendMouse(*b.button, QEvent::MouseButtonPress, b.Centre());
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(b.button);
    EXPECT_TRUE(face->state().pressed);
    SendMouse(*b.button, QEvent::MouseButtonRelease, b.Centre());
    EXPECT_FALSE(b.button->hasFocus());
    SendMouse(*b.button, QEvent::MouseMove, {150, 50});
    const QImage unfocused = b.Shot();

    QTest::keyClick(&b.parent, Qt::Key_Tab);
    ASSERT_TRUE(b.button->hasFocus());
    const QImage focused = b.Shot();
    EXPECT_EQ(PixelAt(focused, 2, 12), (Rgb{0, 0, 0}));  // (x + y) even: a dot
    EXPECT_EQ(PixelAt(focused, 2, 13), PixelAt(unfocused, 2, 13));
    QTest::keyPress(b.button, Qt::Key_Space);
    EXPECT_TRUE(b.button->Pressed());
    EXPECT_EQ(clicks.count(), 1);  // the mouse click only
    QTest::keyRelease(b.button, Qt::Key_Space);
    QTest::keyClick(b.button, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 3);
    b.button->clearFocus();
    EXPECT_EQ(b.Shot(), unfocused);

    EXPECT_EQ(face->role(), QAccessible::PushButton);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Open"));
    EXPECT_TRUE(face->state().focusable);
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.count(), 4);
}

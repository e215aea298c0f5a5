#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

#include "core/Errors.h"
#include "platform/Theme.h"
#include "tests/widgets/WidgetPixels.h"
#include "widgets/TXPCollapsePanel.h"
#include "widgets/TXPEdit.h"
#include "widgets/TXPListBox.h"

namespace {

constexpr Rgb White{255, 255, 255}, Inner{203, 219, 248}, Margin{83, 141, 251};
constexpr Rgb BlueLine{124, 161, 223}, DisabledLine{208, 197, 185};

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// A desktop that has the visual-styles service and reports a chosen colour scheme.
class FakeTheme : public platform::ThemeService {
public:
    FakeTheme(std::string scheme, platform::OsVersion version = {5, 1}, long result = 0)
        : scheme_(std::move(scheme)), version_(version), result_(result) {}
    platform::OsVersion Version() const override { return version_; }
    bool HasThemeNameQuery() const override { return true; }
    long CurrentThemeName(platform::ThemeNames& names) const override {
        ++queries;
        names.ColorScheme = scheme_;
        return result_;
    }
    std::string FailureMessage(long) const override { return "No theme"; }
    static inline int queries = 0;

private:
    std::string scheme_;
    platform::OsVersion version_;
    long result_;
};

struct ThemeGuard {
    ~ThemeGuard() { platform::InstallThemeService(nullptr); }
};

}  // namespace

TEST(CollapsePanel, PaintsMarginFrameAndInnerArea) {
    TXPCollapsePanel panel;
    panel.show();
    EXPECT_EQ(panel.size(), QSize(170, 120));
    const QImage shot = Shot(panel);
    EXPECT_EQ(PixelAt(shot, 0, 50), Margin);
    EXPECT_EQ(PixelAt(shot, 3, 50), Margin);
    EXPECT_EQ(PixelAt(shot, 4, 50), White);
    EXPECT_EQ(PixelAt(shot, 165, 50), White);
    EXPECT_EQ(PixelAt(shot, 166, 50), Margin);
    EXPECT_EQ(PixelAt(shot, 5, 50), Inner);
    EXPECT_EQ(PixelAt(shot, 80, 0), Inner);  // no line at the top
    EXPECT_EQ(PixelAt(shot, 80, 114), Inner);
    EXPECT_EQ(PixelAt(shot, 80, 115), White);
    for (int y = 116; y < 120; ++y) EXPECT_EQ(PixelAt(shot, 80, y), Margin);
}

TEST(CollapsePanel, BorderZeroPutsTheFrameOnTheOuterColumns) {
    TXPCollapsePanel panel;
    panel.SetBorder(0);
    panel.show();
    const QImage shot = Shot(panel);
    EXPECT_EQ(PixelAt(shot, 0, 50), White);
    EXPECT_EQ(PixelAt(shot, 169, 50), White);
    EXPECT_EQ(PixelAt(shot, 1, 50), Inner);
    EXPECT_EQ(PixelAt(shot, 0, 119), Margin);
}

TEST(CollapsePanel, AlignedChildEndsInsideTheFrame) {
    TXPCollapsePanel panel;
    panel.resize(465, 481);
    panel.show();
    auto* child = new QWidget(&panel);
    panel.SetChildAlign(child, alClient);
    EXPECT_EQ(child->geometry(), QRect(QPoint(5, 1), QPoint(459, 475)));
    panel.SetBorder(10);
    EXPECT_EQ(child->geometry().left(), 11);
    panel.resize(300, 200);
    EXPECT_EQ(child->geometry(), QRect(QPoint(11, 1), QPoint(288, 194)));
}

TEST(CollapsePanel, RepaintRulesOfTheSetters) {
    TXPCollapsePanel panel;
    panel.show();
    QCoreApplication::processEvents();
    PaintCounter counter;
    panel.installEventFilter(&counter);
    panel.SetBorder(4);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    panel.SetColorFrame(panel.ColorFrame());
    QCoreApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
    EXPECT_EQ(panel.ColorBackground(), 16485715u);
    EXPECT_EQ(panel.Color(), TXPCollapsePanel::DefaultColor);
}

TEST(SchemeColours, LightenTheBaseColoursByRoundingHalfToEven) {
    EXPECT_EQ(SchemeColor(35, true, 0), platform::RGB(124, 161, 223));
    EXPECT_EQ(SchemeColor(35, true, 1), platform::RGB(168, 168, 212));
    EXPECT_EQ(SchemeColor(35, true, 2), platform::RGB(177, 193, 146));
    EXPECT_EQ(SchemeColor(35, true, 3), platform::RGB(251, 177, 103));
    EXPECT_EQ(SchemeColor(35, false, 2), platform::RGB(208, 197, 185));
    EXPECT_EQ(SchemeColor(35, true, 7), platform::RGB(255, 255, 255));
    EXPECT_EQ(SchemeColor(250, true, 0), platform::RGB(255, 255, 255));  // capped at 100 %
    EXPECT_EQ(SchemeColor(0, true, 0), platform::RGB(54, 111, 205));
}

TEST(SchemeDetection, FollowsTheReportedColourScheme) {
    ThemeGuard guard;
    EXPECT_EQ(DetectXPScheme(), 0);  // this desktop has no theme service
    platform::InstallThemeService(std::make_unique<FakeTheme>("METALLIC"));
    EXPECT_EQ(DetectXPScheme(), 1);
    platform::InstallThemeService(std::make_unique<FakeTheme>("homeStead"));
    EXPECT_EQ(DetectXPScheme(), 2);
    platform::InstallThemeService(std::make_unique<FakeTheme>("Royale"));
    EXPECT_EQ(DetectXPScheme(), 0);
    // A 6.0 system fails the minor-version test and is never asked.
    FakeTheme::queries = 0;
    platform::InstallThemeService(std::make_unique<FakeTheme>("Metallic", platform::OsVersion{6, 0}));
    EXPECT_EQ(DetectXPScheme(), 0);
    EXPECT_EQ(FakeTheme::queries, 0);
}

TEST(XPEdit, BorderFollowsEnabledAndScheme) {
    TXPEdit edit;
    edit.resize(120, 22);
    edit.setText("C:/pictures/a.bmp");
    edit.show();
    QImage shot = Shot(edit);
    EXPECT_EQ(PixelAt(shot, 0, 10), BlueLine);
    EXPECT_EQ(PixelAt(shot, 60, 21), BlueLine);
    EXPECT_EQ(PixelAt(shot, 1, 10), White);
    EXPECT_EQ(PixelAt(shot, 60, 1), White);

    edit.setEnabled(false);
    EXPECT_EQ(PixelAt(Shot(edit), 0, 10), DisabledLine);
    edit.setEnabled(true);
    EXPECT_EQ(PixelAt(Shot(edit), 119, 10), BlueLine);

    edit.SetXPScheme(xpOrange);
    EXPECT_EQ(edit.SchemeIndex(), 3);
    EXPECT_EQ(PixelAt(Shot(edit), 0, 10), (Rgb{251, 177, 103}));
    EXPECT_EQ(edit.text(), QString("C:/pictures/a.bmp"));
}

TEST(XPEdit, ThemeChangesReachOnlyAnAutomaticScheme) {
    ThemeGuard guard;
    TXPEdit edit;
    edit.SetXPScheme(xpGreen);
    platform::InstallThemeService(std::make_unique<FakeTheme>("Metallic"));
    edit.ThemeChanged();
    EXPECT_EQ(edit.SchemeIndex(), 2);
    edit.SetXPScheme(xpAutomatic);
    EXPECT_EQ(edit.SchemeIndex(), 1);
    platform::InstallThemeService(std::make_unique<FakeTheme>("NormalColor"));
    edit.ThemeChanged();
    EXPECT_EQ(edit.SchemeIndex(), 0);
}

TEST(XPEdit, FailedThemeQueryRaisesAndKeepsTheVariant) {
    ThemeGuard guard;
    TXPEdit edit;
    edit.SetXPScheme(xpSilver);
    platform::InstallThemeService(std::make_unique<FakeTheme>("", platform::OsVersion{5, 1}, 0x8007));
    EXPECT_THROW(edit.SetXPScheme(xpAutomatic), EOSError);
    EXPECT_EQ(edit.XPScheme(), xpAutomatic);
    EXPECT_EQ(edit.SchemeIndex(), 1);
}

TEST(XPListBox, BorderIsDrawnOverTheListFrame) {
    TXPListBox list;
    list.resize(150, 100);
    list.addItem("Filesize:    1024");
    list.show();
    QImage shot = Shot(list);
    EXPECT_EQ(PixelAt(shot, 0, 50), BlueLine);
    EXPECT_EQ(PixelAt(shot, 149, 50), BlueLine);
    EXPECT_EQ(PixelAt(shot, 1, 50), White);
    EXPECT_EQ(PixelAt(shot, 75, 98), White);
    list.setEnabled(false);
    EXPECT_EQ(PixelAt(Shot(list), 75, 99), DisabledLine);
    list.setEnabled(true);
    list.SetXPScheme(xpSilver);
    EXPECT_EQ(PixelAt(Shot(list), 0, 0), (Rgb{168, 168, 212}));
}

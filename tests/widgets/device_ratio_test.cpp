#include <gtest/gtest.h>

#include <QIcon>
#include <vector>

#include "tests/widgets/WidgetPixels.h"
#include "widgets/SharedButtonLook.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPCollapsePanel.h"
#include "widgets/TXPComboBox.h"
#include "widgets/TXPEdit.h"

// The combo-box button bitmaps live in the resources of the widgets library.
static void LoadProgramResources() {
    Q_INIT_RESOURCE(widgets);
}

namespace {

constexpr Rgb Red{255, 0, 0}, Ring1{86, 169, 0}, Ring2{34, 221, 0}, Face{8, 247, 0};
constexpr Rgb Backdrop{10, 20, 30}, White{255, 255, 255}, Black{0, 0, 0};
constexpr Rgb EditLine{124, 161, 223};

// A 97 x 25 button with the program's look on a plain backdrop, at (left, top).
struct Button {
    QWidget parent;
    TFancyButton* button;
    explicit Button(const std::string& caption = "", int left = 0, int top = 0) {
        parent.resize(120, 40);
        parent.setAutoFillBackground(true);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, QColor(10, 20, 30));
        parent.setPalette(palette);
        button = new TFancyButton(&parent);
        button->move(left, top);
        ApplySharedButtonLook(*button);
        button->SetCaption(caption);
    }
};

// The colours along one row, each run of equal pixels once, with its length.
std::vector<std::pair<Rgb, int>> Runs(const QImage& image, int y, int from, int to) {
    std::vector<std::pair<Rgb, int>> runs;
    for (int x = from; x < to; ++x) {
        const Rgb c = PixelAt(image, x, y);
        if (!runs.empty() && runs.back().first == c)
            ++runs.back().second;
        else
            runs.push_back({c, 1});
    }
    return runs;
}

int Count(const QImage& image, QRect area, Rgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += PixelAt(image, x, y) == colour;
    return n;
}

}  // namespace

TEST(DeviceRatio, ButtonRingsAreRatioDevicePixelsWide) {
    Button b;
    const QImage two = ShotAt(b.parent, 2).copy(0, 0, 194, 50);
    // Middle row: each ring two device pixels, then the face; mirrored at the right.
    const std::vector<std::pair<Rgb, int>> left = {{Red, 2}, {Ring1, 2}, {Ring2, 2}};
    auto runs = Runs(two, 25, 0, 97);
    ASSERT_GE(runs.size(), 4u);
    EXPECT_EQ(std::vector(runs.begin(), runs.begin() + 3), left);
    EXPECT_EQ(runs[3].first, Face);
    runs = Runs(two, 25, 97, 194);
    ASSERT_GE(runs.size(), 3u);
    EXPECT_EQ(std::vector(runs.end() - 3, runs.end()),
              (std::vector<std::pair<Rgb, int>>{{Ring2, 2}, {Ring1, 2}, {Red, 2}}));
    EXPECT_EQ(PixelAt(two, 97, 0), Red);
    EXPECT_EQ(PixelAt(two, 97, 1), Red);
    EXPECT_EQ(PixelAt(two, 97, 2), Ring1);
    EXPECT_EQ(PixelAt(two, 97, 49), Red);
    // The rounded corners are finer, not a doubled staircase: the corner's curve has single steps.
    EXPECT_EQ(PixelAt(two, 0, 0), Backdrop);
    EXPECT_EQ(PixelAt(two, 193, 49), Backdrop);
}

TEST(DeviceRatio, ButtonFrameAndFaceMeetWithoutGapsAtFractionalRatios) {
    // At (1, 1) the button starts between device pixels (1.5 at ratio 1.5, 1.25 at 1.25); rings
    // of 1.5 or 1.25 device pixels take one or two, each ring touching the next.
    for (const qreal r : {1.5, 1.25}) {
        Button b("", 1, 1);
        const QImage shot = ShotAt(b.parent, r);
        const int left = qRound(r), right = qRound(r + 97 * r);  // first and one past the last column
        const int middle = qRound(r + 12 * r);
        for (int y : {middle, middle + 1}) {
            const auto runs = Runs(shot, y, left, right);
            ASSERT_EQ(runs.size(), 7u) << "ratio " << r << " row " << y;
            const std::vector<Rgb> order = {Red, Ring1, Ring2, Face, Ring2, Ring1, Red};
            for (std::size_t i = 0; i < runs.size(); ++i) {
                EXPECT_EQ(runs[i].first, order[i]) << "ratio " << r << " run " << i;
                if (i != 3) {
                    EXPECT_TRUE(runs[i].second == 1 || runs[i].second == 2) << "ratio " << r << " run " << i;
                }
            }
            EXPECT_EQ(PixelAt(shot, left - 1, y), Backdrop);
            EXPECT_EQ(PixelAt(shot, right, y), Backdrop);
        }
        // The top and bottom edges likewise start on the first and end on the last device row.
        const int x = qRound(r + 48 * r), top = qRound(r), bottom = qRound(r + 25 * r) - 1;
        EXPECT_EQ(PixelAt(shot, x, top), Red) << "ratio " << r;
        EXPECT_EQ(PixelAt(shot, x, top - 1), Backdrop) << "ratio " << r;
        EXPECT_EQ(PixelAt(shot, x, bottom), Red) << "ratio " << r;
        EXPECT_EQ(PixelAt(shot, x, bottom + 1), Backdrop) << "ratio " << r;
    }
}

TEST(DeviceRatio, HeldButtonKeepsItsEdgesInOrder) {
    Button b;
    SendMouse(*b.button, QEvent::MouseMove, QPoint(48, 12));
    SendMouse(*b.button, QEvent::MouseButtonPress, QPoint(48, 12));
    ASSERT_TRUE(b.button->Pressed());
    for (const qreal ratio : {2.0, 1.5}) {
        const QImage shot = ShotAt(b.parent, ratio);
        const auto runs = Runs(shot, qRound(12 * ratio), 0, qRound(97 * ratio));
        const std::vector<Rgb> order = {Black, Rgb{102, 153, 0}, Rgb{38, 217, 0}, White};
        ASSERT_GE(runs.size(), 5u) << "ratio " << ratio;
        // Backdrop first (the face starts one logical pixel in), then the sunken edges and face.
        EXPECT_EQ(runs[0].first, Backdrop);
        for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(runs[i + 1].first, order[i]) << "ratio " << ratio;
        EXPECT_EQ(runs.back().first, White) << "ratio " << ratio;
    }
}

TEST(DeviceRatio, CaptionIsDrawnWithTheFontAtDeviceSize) {
    Button b("Обзор");
    const QImage one = ShotAt(*b.button, 1), two = ShotAt(*b.button, 2);
    const QRect face1(4, 4, 89, 17), face2(8, 8, 178, 34);
    const int letters1 = Count(one, face1, Black), letters2 = Count(two, face2, Black);
    ASSERT_GT(letters1, 20);
    // About four times the letter pixels, and not merely each pixel doubled: some 2 x 2 blocks
    // of the letters are partly set.
    EXPECT_GT(letters2, 2 * letters1);
    EXPECT_LT(letters2, 8 * letters1);
    int partBlocks = 0;
    for (int y = face2.top(); y < face2.bottom(); y += 2)
        for (int x = face2.left(); x < face2.right(); x += 2) {
            const int set = (PixelAt(two, x, y) == Black) + (PixelAt(two, x + 1, y) == Black) +
                            (PixelAt(two, x, y + 1) == Black) + (PixelAt(two, x + 1, y + 1) == Black);
            partBlocks += set > 0 && set < 4;
        }
    EXPECT_GT(partBlocks, 5);
    // Crisp: only the face, the white accent and the black letters inside the face.
    for (const qreal ratio : {2.0, 1.5}) {
        const QImage shot = ShotAt(*b.button, ratio);
        const QRect face(qRound(4 * ratio), qRound(4 * ratio), qRound(89 * ratio), qRound(17 * ratio));
        const std::set<QRgb> colours = ColoursOf(shot.copy(face));
        EXPECT_EQ(colours, (std::set<QRgb>{qRgb(8, 247, 0), qRgb(255, 255, 255), qRgb(0, 0, 0)}))
            << "ratio " << ratio;
    }
}

TEST(DeviceRatio, RatioOneRenderingIsTheOldOne) {
    Button b("Обзор");
    EXPECT_EQ(ShotAt(b.parent, 1), Shot(b.parent));
    const QImage own = b.button->Render();
    EXPECT_EQ(own.size(), QSize(97, 25));
}

TEST(DeviceRatio, PanelFrameIsRatioPixelsWideAndMeetsTheMargin) {
    TXPCollapsePanel panel;
    const QImage two = ShotAt(panel, 2);
    ASSERT_EQ(two.size(), QSize(340, 240));
    const Rgb margin{83, 141, 251}, inner{203, 219, 248};
    EXPECT_EQ(Runs(two, 100, 0, 11), (std::vector<std::pair<Rgb, int>>{{margin, 8}, {White, 2}, {inner, 1}}));
    EXPECT_EQ(PixelAt(two, 100, 229), inner);
    EXPECT_EQ(PixelAt(two, 100, 230), White);
    EXPECT_EQ(PixelAt(two, 100, 231), White);
    EXPECT_EQ(PixelAt(two, 100, 232), margin);
    // At 1.5 the frame takes one or two device pixels, with no other colour around it.
    const QImage mid = ShotAt(panel, 1.5);
    const auto runs = Runs(mid, 90, 0, 10);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0], (std::pair<Rgb, int>{margin, 6}));
    EXPECT_EQ(runs[1].first, White);
    EXPECT_EQ(runs[2].first, inner);
}

TEST(DeviceRatio, EditBorderIsTwoLinesOfRatioPixels) {
    TXPEdit edit;
    edit.resize(100, 22);
    const QImage two = ShotAt(edit, 2);
    const auto edge = Runs(two, 20, 0, 5);
    ASSERT_GE(edge.size(), 2u);
    EXPECT_EQ(edge[0], (std::pair<Rgb, int>{EditLine, 2}));
    EXPECT_EQ(edge[1].first, White);  // the line, then the edit's own white ground
    EXPECT_EQ(PixelAt(two, 199, 20), EditLine);
    EXPECT_EQ(PixelAt(two, 198, 20), EditLine);
    EXPECT_EQ(PixelAt(two, 197, 20), White);
    EXPECT_EQ(PixelAt(two, 100, 0), EditLine);
    EXPECT_EQ(PixelAt(two, 100, 43), EditLine);
    const QImage mid = ShotAt(edit, 1.5);
    EXPECT_EQ(PixelAt(mid, 0, 16), EditLine);
    EXPECT_EQ(PixelAt(mid, 149, 16), EditLine);
    // Outer line, then white, touching: no pixel of another colour between them.
    const auto runs = Runs(mid, 16, 0, 4);
    ASSERT_GE(runs.size(), 2u);
    EXPECT_EQ(runs[0].first, EditLine);
    EXPECT_EQ(runs[1].first, White);
}

TEST(DeviceRatio, ComboButtonCornersAndChevronAtDeviceSize) {
    LoadProgramResources();
    QWidget parent;
    parent.resize(160, 30);
    auto* combo = new TXPComboBox(&parent);
    combo->SetStyle(csDropDownList);
    combo->setGeometry(0, 0, 145, 21);
    const QImage two = ShotAt(*combo, 2);
    // The image spans logical columns 127..142 and rows 2..18; its corners are 2 x 2 device blocks.
    const Rgb corner{234, 234, 255};
    for (QPoint p : {QPoint(254, 4), QPoint(255, 5), QPoint(285, 4), QPoint(254, 37), QPoint(285, 37)})
        EXPECT_EQ(PixelAt(two, p.x(), p.y()), corner) << p.x() << "," << p.y();
    // The chevron's tip (logical 134.5, 13.5) is solid chevron blue; its strokes are smooth, so
    // some pixels mix the chevron into the image.
    EXPECT_EQ(PixelAt(two, 269, 26), (Rgb{35, 105, 190}));
    const std::set<QRgb> image =
        ColoursOf(QImage(":/XPCBNOR").scaled(32, 34, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    int mixed = 0;
    for (QRgb c : ColoursOf(two.copy(258, 14, 20, 14))) mixed += c != qRgb(35, 105, 190) && !image.count(c);
    EXPECT_GT(mixed, 3);
}

TEST(DeviceRatio, ComboButtonImageIsScaledSmoothly) {
    LoadProgramResources();
    QWidget parent;
    auto* combo = new TXPComboBox(&parent);
    combo->SetStyle(csDropDownList);
    combo->setGeometry(0, 0, 145, 21);
    // A nearest-pixel stretch shows only the bitmap's own colours; a smooth one blends new ones.
    const std::set<QRgb> own = ColoursOf(QImage(":/XPCBNOR"));
    const QImage two = ShotAt(*combo, 2);
    int blended = 0;
    for (QRgb c : ColoursOf(two.copy(256, 6, 6, 30))) blended += !own.count(c);
    EXPECT_GT(blended, 0);
}

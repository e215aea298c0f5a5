#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "core/TBitmap.h"
#include "tests/widgets/WidgetPixels.h"
#include "ui/TImage.h"

namespace {

constexpr Rgb Black{0, 0, 0}, White{255, 255, 255};

// A checkerboard of single pixels, black where x + y is even.
void FillCheckerboard(TImage& box, int width, int height) {
    TBitmap& bitmap = box.Picture().AsBitmap();
    bitmap.SetRasterFormat(rf24Bit);
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.Surface().WritePixel(x, y, (x + y) % 2 == 0 ? clBlack : clWhite);
}

// How many pixels of `area` differ from the checkerboard that starts black at its top-left corner.
int CheckerboardMisses(const QImage& image, QRect area) {
    int misses = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const int dx = x - area.left(), dy = y - area.top();
            if (PixelAt(image, x, y) != ((dx + dy) % 2 == 0 ? Black : White)) ++misses;
        }
    return misses;
}

struct ProportionalBox {
    QWidget parent;
    TImage* box;
    ProportionalBox(int left, int top, int width, int height) {
        parent.resize(left + width + 3, top + height + 3);
        box = new TImage(&parent, left, top, width, height);
        box->SetProportional(true);
        box->SetCenter(true);
    }
};

TEST(ImageBoxRatio, LargePictureShowsPixelForPixelAtTheDeviceRatio) {
    // The box times the ratio: the fitted picture meets the device grid exactly, so each picture
    // pixel lands on one device pixel.
    for (const qreal ratio : {2.0, 1.5, 1.25}) {
        ProportionalBox b(0, 0, 40, 32);
        FillCheckerboard(*b.box, int(40 * ratio), int(32 * ratio));
        const QImage shot = ShotAt(*b.box, ratio);
        ASSERT_EQ(shot.size(), QSize(int(40 * ratio), int(32 * ratio)));
        EXPECT_EQ(CheckerboardMisses(shot, shot.rect()), 0) << "ratio " << ratio;
    }
}

TEST(ImageBoxRatio, RatioOneKeepsItsSampling) {
    // At ratio 1 the same 80 x 60 board is shrunk to 40 x 30 by taking every second pixel, all black.
    ProportionalBox b(0, 0, 40, 30);
    FillCheckerboard(*b.box, 80, 60);
    const QImage one = ShotAt(*b.box, 1);
    EXPECT_EQ(ColoursOf(one), (std::set<QRgb>{0xFF000000u}));
    EXPECT_EQ(ShotAt(*b.box, 1), Shot(*b.box));
}

TEST(ImageBoxRatio, BoxAtAHalfDevicePixelStillMeetsTheGrid) {
    // At 1.5 a box at (1, 1) starts at device 1.5, which rounds to 2 like the toolkit's own edges.
    ProportionalBox b(1, 1, 40, 30);
    FillCheckerboard(*b.box, 60, 45);
    const QImage shot = ShotAt(b.parent, 1.5);
    EXPECT_EQ(CheckerboardMisses(shot, QRect(2, 2, 60, 45)), 0);
}

TEST(ImageBoxRatio, SmallCentredPictureLandsOnTheMappedRectangle) {
    // A 10 x 6 black picture in a 41 x 21 box keeps its logical size and is centred at (15, 7);
    // at 1.5 it covers device columns 23 (22.5 rounded up) to 37 and rows 11 (10.5) to 19.
    ProportionalBox b(0, 0, 41, 21);
    TBitmap& bitmap = b.box->Picture().AsBitmap();
    bitmap.SetRasterFormat(rf24Bit);
    bitmap.SetWidth(10);
    bitmap.SetHeight(6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) bitmap.Surface().WritePixel(x, y, clBlack);
    QPalette palette = b.box->palette();
    palette.setColor(QPalette::Window, Qt::white);
    b.box->setPalette(palette);
    const QImage shot = ShotAt(*b.box, 1.5);
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const bool inside = x >= 23 && x < 38 && y >= 11 && y < 20;
            ASSERT_EQ(PixelAt(shot, x, y), inside ? Black : White) << x << "," << y;
        }
}

TEST(ImageBoxRatio, PictureSmallerThanTheBoxIsEnlargedByTheRatio) {
    // Nearest sampling at device resolution: each pixel of a picture at its own size becomes a
    // 2 x 2 block at ratio 2, the way the About picture is shown.
    QWidget parent;
    parent.resize(20, 20);
    auto* box = new TImage(&parent, 0, 0, 20, 20);
    FillCheckerboard(*box, 8, 8);
    const QImage shot = ShotAt(*box, 2);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(PixelAt(shot, x, y), ((x / 2 + y / 2) % 2 == 0 ? Black : White));
}

}  // namespace

// A window with an alpha channel (Wayland's) gets the box's pixels as they are: the picture and the
// background around it must be opaque there, not see-through.
TEST(ImageBoxRatio, PaintsOpaqueIntoAWindowWithAlpha) {
    ProportionalBox b(0, 0, 40, 32);
    FillCheckerboard(*b.box, 10, 8);
    QImage target(40, 32, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    b.box->render(&target, {}, {}, QWidget::RenderFlags());
    int seeThrough = 0;
    for (int y = 0; y < target.height(); ++y)
        for (int x = 0; x < target.width(); ++x) seeThrough += qAlpha(target.pixel(x, y)) != 255;
    EXPECT_EQ(seeThrough, 0);
}

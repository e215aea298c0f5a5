#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>

#include "ui/TForm.h"

TEST(WindowIcon, OfferedAtThirtyTwoAndSixtyFourPixels) {
    const QIcon icon = TForm::SharedIcon();
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(64, 64)));
    // The larger one repeats each pixel of the stored 32 x 32 picture: sharp, not blurred.
    const QImage small = icon.pixmap(QSize(32, 32), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage large = icon.pixmap(QSize(64, 64), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(large.size(), QSize(64, 64));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_EQ(large.pixel(x, y), small.pixel(x / 2, y / 2)) << x << "," << y;
}

#include "ui/TImage.h"

#include <QAccessible>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "core/TCanvas.h"
#include "ui/ErrorHandling.h"
#include "ui/ImageDrawRule.h"
#include "widgets/DevicePixels.h"

TImage::TImage(QWidget* parent, int left, int top, int width, int height) : QWidget(parent) {
    setGeometry(left, top, width, height);
    picture_.OnChange = [this](TPicture&) { PictureChanged(); };
    picture_.OnProgress = [this](TGraphic&, TProgressStage, std::uint8_t, bool redraw, const TRect&,
                                 const std::string&) { PictureProgress(redraw); };
}

// An edit writes pixel by pixel, each write a change: everything up to the next turn of the event
// loop counts, and is announced, as one.
void TImage::PictureChanged() {
    update();
    if (changePending_) return;
    changePending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (!changePending_) return;  // a new picture came in since
        changePending_ = false;
        ++changes_;
        AnnounceDescription();
    });
}

void TImage::SetPictureName(const QString& name) {
    pictureName_ = name;
    changes_ = 0;
    changePending_ = false;
    AnnounceDescription();
}

QString TImage::PictureDescription() const {
    QString text = pictureName_.isEmpty() ? QString() : pictureName_ + QStringLiteral(": ");
    if (picture_.Width() <= 0 || picture_.Height() <= 0) return text + tr("пусто");
    text += tr("%1 × %2 точек").arg(picture_.Width()).arg(picture_.Height());
    if (changes_ > 0) text += tr(", правок: %1").arg(changes_);
    return text;
}

void TImage::AnnounceDescription() {
    if (!QAccessible::isActive()) return;
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void TImage::SetFlag(bool& flag, bool value) {
    if (flag == value) return;
    flag = value;
    update();
}

void TImage::SetCenter(bool value) {
    SetFlag(center_, value);
}
void TImage::SetProportional(bool value) {
    SetFlag(proportional_, value);
}
void TImage::SetStretch(bool value) {
    SetFlag(stretch_, value);
}

platform::TRect TImage::DestRect() const {
    return ImageDrawRect(picture_.Width(), picture_.Height(), width(), height(), stretch_, proportional_,
                         center_);
}

void TImage::PictureProgress(bool redraw) {
    // Inside our own paint the decoder is what is running; the finished picture lands at its end.
    if (incrementalDisplay_ && redraw && !painting_ && isVisible()) repaint();
}

void TImage::paintEvent(QPaintEvent*) {
    if (!picture_.HeldGraphic() || width() <= 0 || height() <= 0) return;
    QPainter painter(this);
    painting_ = true;
    try {
        DrawPicture(painter);
    } catch (...) {
        if (OnPaintError)
            OnPaintError(std::current_exception());
        else
            HandleExceptionLater(std::current_exception());
    }
    painting_ = false;
}

namespace {
// A device raster leaves its fourth byte 0, where Qt's RGB32 wants 0xFF: a window with an alpha
// channel (as on Wayland) would take the picture for transparent and show what lies behind it.
void MarkOpaque(platform::Bitmap& raster) {
    for (int y = 0; y < raster.Height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(raster.ScanLine(y));
        for (int x = 0; x < raster.Width(); ++x) row[x] |= 0xFF000000u;
    }
}
}  // namespace

void TImage::DrawPicture(QPainter& painter) {
    // The fit is worked out in logical pixels; the picture is then drawn into the device pixels the
    // box covers, so on a dense screen a large picture shows correspondingly more of its detail.
    const DevicePixels grid(painter, size());
    if (grid.Size().isEmpty()) return;
    std::unique_ptr<platform::Bitmap> raster =
        platform::Bitmap::CreateDevice(grid.Size().width(), grid.Size().height());
    // Start from the colour behind the box, so transparent parts of the picture show it.
    QRgb background = palette().color(backgroundRole()).rgb() & 0x00FFFFFF;
    for (int y = 0; y < raster->Height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(raster->ScanLine(y));
        std::fill(row, row + raster->Width(), background);
    }
    {
        const platform::TRect logical = DestRect();
        const platform::TRect device{grid.X(logical.Left), grid.Y(logical.Top), grid.X(logical.Right),
                                     grid.Y(logical.Bottom)};
        TRasterCanvas canvas(*raster);
        picture_.HeldGraphic()->DrawInRect(canvas, device);
    }
    MarkOpaque(*raster);
    // The device raster's rows are 32-bit top-down, blue, green, red, unused: Qt's RGB32 layout.
    QImage view(raster->ScanLine(0), raster->Width(), raster->Height(), int(raster->Stride()),
                QImage::Format_RGB32);
    grid.Draw(painter, view);
}

void TImage::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit DoubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

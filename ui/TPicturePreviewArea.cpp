#include "ui/TPicturePreviewArea.h"

#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>

#include "core/Errors.h"
#include "formats/PictureLoading.h"
#include "ui/BusyCursor.h"
#include "ui/TImage.h"
#include "ui/TPreviewForm.h"
#include "ui/TSilentPaintPanel.h"

namespace {

constexpr int BorderWidth = 6;
constexpr int LabelHeight = 23;
constexpr int ButtonWidth = 23, ButtonHeight = 22, ButtonTop = 1;

// The glyph's lower-left pixel is its transparent colour, as for every glyph of the program.
QIcon PreviewGlyph() {
    QImage glyph(QStringLiteral(":/PREVIEWGLYPH"));
    if (glyph.isNull()) return {};
    glyph = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = glyph.pixel(0, glyph.height() - 1);
    for (int y = 0; y < glyph.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(glyph.scanLine(y));
        for (int x = 0; x < glyph.width(); ++x)
            if (row[x] == key) row[x] = 0;
    }
    // Sizes for denser screens too, scaled smoothly from the 16-pixel bitmap.
    QIcon icon(QPixmap::fromImage(glyph));
    for (int size : {24, 32})
        icon.addPixmap(
            QPixmap::fromImage(glyph.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    return icon;
}

}  // namespace

TPicturePreviewArea::TPicturePreviewArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PicturePanel"));
    setGeometry(204, 5, PanelWidth, 200);
    setFixedWidth(PanelWidth);

    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("PictureLabel"));
    label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    paintPanel_ = new TSilentPaintPanel(this);
    paintPanel_->SetCaption("(None)");
    paintBox_ = new TImage(paintPanel_, 2, 2, 1, 1);
    paintBox_->setObjectName(QStringLiteral("PaintBox"));
    paintBox_->SetStretch(true);
    paintBox_->SetProportional(true);
    paintBox_->SetCenter(true);
    paintBox_->SetIncrementalDisplay(true);
    paintBox_->OnPaintError = [this](std::exception_ptr) { paintPanel_->ReportPaintError(); };
    connect(paintBox_, &TImage::DoubleClicked, this, &TPicturePreviewArea::ShowFullPreview);

    // Made after the label, so it lies above it.
    button_ = new QToolButton(this);
    button_->setObjectName(QStringLiteral("PreviewButton"));
    button_->setIcon(PreviewGlyph());
    button_->setIconSize(QSize(16, 16));
    button_->setAutoRaise(true);
    button_->setToolTip(QStringLiteral("Preview"));
    button_->setEnabled(false);
    connect(button_, &QToolButton::clicked, this, &TPicturePreviewArea::ShowFullPreview);
    LayOut();
}

void TPicturePreviewArea::resizeEvent(QResizeEvent*) {
    LayOut();
}

void TPicturePreviewArea::LayOut() {
    const QRect inner = rect().adjusted(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
    label_->setGeometry(inner.left(), inner.top(), inner.width(), LabelHeight);
    paintPanel_->setGeometry(inner.left(), inner.top() + LabelHeight, inner.width(),
                             std::max(0, inner.height() - LabelHeight));
    paintBox_->setGeometry(paintPanel_->ClientArea());
    // Right edge two pixels left of the paint panel's.
    const int panelRight = paintPanel_->x() + paintPanel_->width();
    button_->setGeometry(panelRight - ButtonWidth - 2, ButtonTop, ButtonWidth, ButtonHeight);
}

void TPicturePreviewArea::PlacePreviewArea() {
    LayOut();
    ReleasePicture();
    show();
}

void TPicturePreviewArea::ReleasePicture() {
    ShowNoPicture();
    lastPreviewed_.clear();
}

void TPicturePreviewArea::RefreshPreview(const std::string& fileName) {
    if (fileName == lastPreviewed_) return;
    lastPreviewed_ = fileName;
    if (!LoadCandidate(fileName)) ShowNoPicture();
}

bool TPicturePreviewArea::LoadCandidate(const std::string& fileName) {
    const QFileInfo info(QString::fromStdString(fileName));
    if (fileName.empty() || !info.exists() || !info.isFile()) return false;
    const BusyCursor busy;
    try {
        ReadFromFile(paintBox_->Picture(), fileName);
    } catch (...) {
        // Whatever stops the load (unknown kind, damaged content, no access) only means no preview.
        return false;
    }
    TPicture& picture = paintBox_->Picture();
    label_->setText(QString::fromStdString(Format(" (%dx%d)", picture.Width(), picture.Height())));
    button_->setEnabled(true);
    paintPanel_->SetCaption("");
    // The size shows first; a big picture then decodes in its first paint, which may take a while.
    QTimer::singleShot(0, paintBox_, [this] {
        const BusyCursor busy;
        if (paintBox_->isVisible()) paintBox_->repaint();
    });
    return true;
}

void TPicturePreviewArea::ShowNoPicture() {
    label_->setText(QStringLiteral("Picture:"));
    button_->setEnabled(false);
    paintBox_->Picture().ReplaceGraphic(nullptr);
    paintPanel_->SetCaption("(None)");
}

void TPicturePreviewArea::ShowFullPreview() {
    TPreviewForm::ShowFor(paintBox_->Picture(), window());
}

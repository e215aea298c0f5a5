#include "ui/TPreviewForm.h"

#include <QFrame>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "core/TPicture.h"
#include "ui/TImage.h"
#include "widgets/QtColor.h"

namespace {

constexpr int PanelBorder = 5;  // the panel's border width, inside its one-pixel line

std::function<QSize(const QWidget&)>& MonitorQuery() {
    static std::function<QSize(const QWidget&)> query;
    return query;
}

QSize MonitorSize(const QWidget& window) {
    if (MonitorQuery()) return MonitorQuery()(window);
    QScreen* screen = window.screen();
    return screen ? screen->geometry().size() : QSize();
}

}  // namespace

void SetMonitorSizeQuery(std::function<QSize(const QWidget&)> query) {
    MonitorQuery() = std::move(query);
}

QSize PreviewClientSize(QSize client, QSize panelClient, QSize picture, QSize monitor) {
    if (picture.width() <= 0) return client;
    const int width =
        std::min(monitor.width() * 3 / 4, client.width() - panelClient.width() + picture.width() + 10);
    const int height =
        std::min(monitor.height() * 3 / 4, client.height() - panelClient.height() + picture.height() + 10);
    return {width, height};
}

TPreviewForm::TPreviewForm(const TPicture& picture, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("Preview"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(320, 240);

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    panel_ = frame;
    panel_->setObjectName(QStringLiteral("Panel"));
    QPalette colours = panel_->palette();
    colours.setColor(QPalette::Window, ToQColor(clWindow));
    panel_->setPalette(colours);
    panel_->setAutoFillBackground(true);
    // Inside the panel's one-pixel line, its border width.
    panel_->setContentsMargins(PanelBorder, PanelBorder, PanelBorder, PanelBorder);

    image_ = new TImage(panel_, 0, 0, 1, 1);
    image_->setObjectName(QStringLiteral("Image"));
    image_->SetStretch(true);
    image_->SetProportional(true);
    image_->SetCenter(true);
    // The holder's own copy: a JPEG shares its bytes and decoded raster with the dialog's.
    image_->Picture().ReplaceGraphic(picture.HeldGraphic());

    auto* inner = new QVBoxLayout(panel_);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(image_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel_);
    FitToPicture(picture);
}

void TPreviewForm::FitToPicture(const TPicture& picture) {
    const QSize client = size();
    const QSize panelClient = client - QSize(2 * (1 + PanelBorder), 2 * (1 + PanelBorder));
    const QSize fitted =
        PreviewClientSize(client, panelClient, {picture.Width(), picture.Height()}, MonitorSize(*this));
    resize(fitted);
}

void TPreviewForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TPreviewForm::ShowFor(const TPicture& picture, QWidget* parent) {
    TPreviewForm form(picture, parent);
    if (QScreen* screen = form.screen()) {
        const QRect area = screen->geometry();
        form.move(area.left() + (area.width() - form.width()) / 2,
                  area.top() + (area.height() - form.height()) / 2);
    }
    form.exec();
}

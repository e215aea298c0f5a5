// The main window's figure of the size the JPEG save would write, beside the quality.
#include <QSlider>
#include <QTimer>

#include "core/AtomicWrite.h"
#include "formats/JpegFileWrite.h"
#include "ui/FileSizeText.h"
#include "ui/JpegSizeProbe.h"
#include "ui/SaveFlow.h"
#include "ui/TImage.h"
#include "ui/TLabel.h"
#include "ui/Unit1.h"

void TForm1::BuildSizeFigure(QWidget* panel) {
    // Right of the quality figure (at most "100"), clear of the save button and above the slider.
    Label9 = MakeRedLabel(panel, 176, 120);
    Label9->setAccessibleDescription(tr("Размер файла JPEG при сохранении"));
    SizeProbe = new JpegSizeProbe(this);
    // The figure stops passing for exact at once; the new one follows when the edit is done.
    Image1->Picture().Notifier = [this](TPicture&) {
        ++pictureChanges_;
        ShowSizePending();
        QueueSizeFigure();
    };
    connect(TrackBar1, &QSlider::valueChanged, this, [this] { RefreshSizeFigure(); });
    // Also catches what changes the file without a notice: the start-up photograph decoded on
    // first paint, the type picked in the save dialog.
    connect(Timer1, &QTimer::timeout, this, [this] { RefreshSizeFigure(); });
    connect(SizeProbe, &JpegSizeProbe::Pending, this, [this] { ShowSizePending(); });
    connect(SizeProbe, &JpegSizeProbe::Known, this, [this](std::int64_t size) {
        lastSizeFigure_ = size;
        Label9->SetCaption(size < 0 ? std::string() : KilobyteText(size));
        Label9->setToolTip(size < 0 ? QString() : tr("%1 байт").arg(size));
    });
    RefreshSizeFigure();
}

// The last exact figure, marked as standing in until the new one is known.
void TForm1::ShowSizePending() {
    Label9->SetCaption(lastSizeFigure_ < 0 ? std::string() : "≈ " + KilobyteText(lastSizeFigure_));
    Label9->setToolTip({});
}

// An edit may notify several times in one handler: the figure follows once it is done.
void TForm1::QueueSizeFigure() {
    if (sizeFigureQueued_) return;
    sizeFigureQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        sizeFigureQueued_ = false;
        RefreshSizeFigure();
    });
}

JpegSizeProbe::Key TForm1::SizeKey() const {
    return JpegSizeProbe::KeyOf(Image1->Picture(), pictureChanges_, TrackBar1->value());
}

void TForm1::RefreshSizeFigure() {
    if (ChosenSaveKind() != SaveKind::Jpeg) {
        SizeProbe->Stop();
        lastSizeFigure_ = -1;
        Label9->SetCaption({});
        Label9->setToolTip({});
        return;
    }
    SizeProbe->Request(Image1->Picture(), SizeKey());
}

// The bytes behind the figure when nothing changed since, else a fresh encode; either way through
// the one safe write.
void TForm1::SaveWorkingPictureAsJpeg(const std::string& name) {
    CheckSavedPicture(Image1->Picture());
    if (const TMemoryStream* bytes = SizeProbe->BytesFor(SizeKey())) {
        WriteAtomically(name, [bytes](const std::string& tempPath) { WriteJpegFile(*bytes, tempPath); });
        return;
    }
    SaveAsJpeg(Image1->Picture(), TrackBar1->value(), name);
}

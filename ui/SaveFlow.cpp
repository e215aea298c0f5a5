// The main window's save button: JPEG or icon, then the size and the preview of the written file.
#include "ui/SaveFlow.h"

#include <QApplication>
#include <QSlider>
#include <cmath>

#include "core/AtomicWrite.h"
#include "formats/IconExport.h"
#include "formats/PictureLoading.h"
#include "formats/TJPEGImage.h"
#include "platform/FileSearch.h"
#include "platform/Ticks.h"
#include "ui/IconToQt.h"
#include "ui/TImage.h"
#include "ui/TLabel.h"
#include "ui/Unit1.h"
#include "widgets/TXPEdit.h"

std::string KilobyteFigure(std::int64_t size) {
    // nearbyint rounds half to even in the default rounding mode; -0 prints as 0.
    return std::to_string(static_cast<long long>(std::nearbyint(double(size) / 1024.0)));
}

std::string KilobyteText(std::int64_t size) {
    return KilobyteFigure(size) + "  KB";
}

std::string TForm1::SavedFileName() const {
    return XPEdit2->text().toStdString() + (SavePictureDialog1.FilterIndex() == 1 ? ".jpg" : ".ico");
}

void TForm1::SaveAsIcon() {
    SaveIconFromSource(XPEdit1->text().toStdString(), SavedFileName(), Surface(), [this](TIcon& icon) {
        QApplication::setWindowIcon(IconToQIcon(icon));
        update();
    });
}

void TForm1::FancyButton3Click() {
    if (SavePictureDialog1.FilterIndex() == 1) {
        TJPEGImage jpeg;
        jpeg.CopyFrom(Image1->Picture().HeldGraphic());
        jpeg.Quality = std::uint8_t(TrackBar1->value() & 0xFF);
        jpeg.Encode();
        // Encoded first: the target is only begun once there is something to write.
        WriteAtomically(SavedFileName(),
                        [&jpeg](const std::string& tempPath) { jpeg.WriteToFile(tempPath); });
    }
    if (SavePictureDialog1.FilterIndex() == 2) SaveAsIcon();
    platform::Sleep(100);
    std::string name = SavedFileName();
    std::int64_t size = platform::QueryFileSize(name);
    ReadFromFile(Image2->Picture(), name);
    Label7->SetCaption("Размер файла равен:  ");
    Label8->SetCaption(KilobyteText(size));
}

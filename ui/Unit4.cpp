#include "ui/Unit4.h"

#include <QFile>

#include "core/TStream.h"
#include "formats/PictureLoading.h"
#include "ui/TBevel.h"
#include "ui/TImage.h"
#include "ui/TLabel.h"

TForm4* Form4 = nullptr;

namespace {
TLabel* MakeContactLine(QWidget* parent, int left, int top, int width, int height, int pixelHeight,
                        const QString& caption) {
    auto* label = new TLabel(parent, left, top, clRed, pixelHeight, caption.toStdString());
    label->SetAutoSize(false);
    label->resize(width, height);
    return label;
}

// The picture is kept in the window's stored form: class name, byte count, BMP file.
void LoadStoredPicture(TPicture& picture, const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) return;
    QByteArray bytes = file.readAll();
    TMemoryStream stream;
    stream.WriteBuffer(bytes.constData(), std::size_t(bytes.size()));
    stream.SetPosition(0);
    ReadPictureData(picture, stream);
}
}  // namespace

TForm4::TForm4() : TForm(tr("О программе"), 262, 119, clActiveCaption) {
    // Drawn at its own size from the top-left corner; the box cuts off its bottom rows.
    Image1 = new TImage(Client(), 8, 8, 81, 105);
    LoadStoredPicture(Image1->Picture(), QStringLiteral(":/about-picture.dat"));
    Bevel1 = new TBevel(Client(), 96, 8, 161, 105);
    Label1 = MakeContactLine(Client(), 112, 16, 130, 14, 11, tr("Команда Brelvik"));
    Label2 = MakeContactLine(Client(), 128, 48, 99, 16, 13, "brelvik.example");
    Label3 = MakeContactLine(Client(), 136, 80, 85, 16, 13, tr("Пишите нам!"));
    // A pointer shape only: the lines do nothing when clicked.
    Label2->setCursor(Qt::PointingHandCursor);
    Label3->setCursor(Qt::PointingHandCursor);
    Image1->setAccessibleName(tr("Картинка"));
    SetDialogKeys(nullptr);
}

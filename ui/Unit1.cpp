#include "ui/Unit1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSlider>
#include <QTimer>

#include "core/TStream.h"
#include "formats/BmpHeaderSummary.h"
#include "formats/IconExport.h"
#include "formats/PictureKinds.h"
#include "formats/PictureLoading.h"
#include "platform/FileSearch.h"
#include "platform/Shell.h"
#include "ui/BusyCursor.h"
#include "ui/DialogControls.h"
#include "ui/FileDrop.h"
#include "ui/FileSizeText.h"
#include "ui/Guarded.h"
#include "ui/IconToQt.h"
#include "ui/SaveFlow.h"
#include "ui/TBevel.h"
#include "ui/TImage.h"
#include "ui/TLabel.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
#include "ui/Unit6.h"
#include "widgets/QtColor.h"
#include "widgets/TFancyButton.h"
#include "widgets/TScrollBox.h"
#include "widgets/TTrackBar.h"
#include "widgets/TXPCollapsePanel.h"
#include "widgets/TXPEdit.h"
#include "widgets/TXPListBox.h"

TForm1* Form1 = nullptr;

namespace {

TXPEdit* MakeTargetEdit(QWidget* parent, int left, int top) {
    auto* edit = new TXPEdit(parent);
    edit->setGeometry(left, top, 377, 22);
    QFont face(QStringLiteral("Arial"));
    face.setPixelSize(11);
    face.setBold(true);
    edit->setFont(face);
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Text, ToQColor(clRed));
    edit->setPalette(colours);
    return edit;
}

std::string TextOf(const TXPEdit* edit) {
    return edit->text().toStdString();
}

}  // namespace

TForm1::TForm1() : TForm(QStringLiteral("Brelvik 1 10"), 464, 481, clActiveCaption) {
    XPCollapsePanel1 = MakeDialogPanel(Client(), 465, 481);
    BuildSourceRow(XPCollapsePanel1);
    BuildTargetRow(XPCollapsePanel1);
    BuildQualityRow(XPCollapsePanel1);
    BuildImages(XPCollapsePanel1);
    BuildMenu();
    BuildTimers();
    BuildSizeFigure(XPCollapsePanel1);
    OpenPictureDialog1.Filter = OpenDialogFilter(tr("Все рисунки").toStdString());
    SavePictureDialog1.Filter = SaveDialogFilter();
    surfaceRaster_ = platform::Bitmap::CreateDevice(464, 481);
    surface_ = std::make_unique<TRasterCanvas>(*surfaceRaster_);
    LoadStartupPhotograph();
    BuildKeyboardAccess();
    // A file dropped anywhere on the window opens like the first browse button's choice; the edits
    // would otherwise take the drop as text.
    setAcceptDrops(true);
    XPEdit1->setAcceptDrops(false);
    XPEdit2->setAcceptDrops(false);
}

TForm1::~TForm1() = default;

void TForm1::BuildSourceRow(QWidget* panel) {
    Bevel1 = new TBevel(panel, 8, 3, 449, 46);
    Label1 = MakeBlueLabel(panel, 16, 8, tr("Открыть файл"));
    Label5 = MakeBlueLabel(panel, 152, 8);
    Label6 = MakeRedLabel(panel, 288, 8);
    XPEdit1 = MakeTargetEdit(panel, 16, 24);
    FancyButton1 = MakeDialogButton(panel, 400, 24, 49, tr("Обзор"));
    connect(FancyButton1, &TFancyButton::clicked, this, Guarded([this] { FancyButton1Click(); }));
    // Return opens the typed path as a choice in the open dialog would.
    connect(XPEdit1, &QLineEdit::returnPressed, this,
            Guarded([this] { OpenSourcePicture(TextOf(XPEdit1)); }));
}

void TForm1::BuildTargetRow(QWidget* panel) {
    Bevel2 = new TBevel(panel, 8, 56, 449, 50);
    Label2 = MakeBlueLabel(panel, 16, 64, tr("Сохранить файл"));
    Label7 = MakeBlueLabel(panel, 136, 64, QString::fromStdString(FileSizeCaption()));
    Label8 = MakeRedLabel(panel, 272, 64);
    XPEdit2 = MakeTargetEdit(panel, 16, 80);
    FancyButton2 = MakeDialogButton(panel, 400, 80, 49, tr("Обзор"));
    connect(FancyButton2, &TFancyButton::clicked, this, Guarded([this] { FancyButton2Click(); }));
}

void TForm1::BuildQualityRow(QWidget* panel) {
    Bevel3 = new TBevel(panel, 8, 112, 449, 57);
    Label3 = MakeBlueLabel(panel, 16, 120, tr("Качество сохранения"));
    Label4 = MakeRedLabel(panel, 144, 120);
    FancyButton3 = MakeDialogButton(panel, 384, 116, 65, tr("Сохранить"));
    connect(FancyButton3, &TFancyButton::clicked, this, Guarded([this] { FancyButton3Click(); }));
    TrackBar1 = new TTrackBar(panel);
    TrackBar1->setGeometry(14, 136, 435, 30);
    TrackBar1->setRange(0, 100);
    TrackBar1->setValue(50);
    TrackBar1->setSingleStep(5);
    TrackBar1->setTickInterval(5);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
}

void TForm1::BuildImages(QWidget* panel) {
    ScrollBox1 = new TScrollBox(panel);
    ScrollBox1->setGeometry(8, 176, 449, 297);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The viewport is a little wider than the image boxes' content; the part right of it takes
    // the scroll box's colour, not the window's that would show through.
    QWidget* viewport = ScrollBox1->viewport();
    QPalette boxColours = viewport->palette();
    boxColours.setColor(QPalette::Window, ToQColor(clBtnFace));
    viewport->setPalette(boxColours);
    viewport->setBackgroundRole(QPalette::Window);
    viewport->setAutoFillBackground(true);
    auto* content = new QWidget;
    QPalette colours = content->palette();
    colours.setColor(QPalette::Window, ToQColor(clBtnFace));
    content->setPalette(colours);
    content->setAutoFillBackground(true);
    // The scroll range ends at the lower box's bottom edge; the upper box starts above the top of
    // the scrolled area, so its first 63 rows are never seen.
    content->setFixedSize(2 + 427, 392 + 341);
    Image1 = new TImage(content, 2, -63, 427, 448);
    Image1->SetCenter(true);
    Image1->SetProportional(true);
    Image2 = new TImage(content, 2, 392, 427, 341);
    Image2->SetProportional(true);
    ScrollBox1->setWidget(content);
    connect(Image1, &TImage::DoubleClicked, this, Guarded([this] { Image1DblClick(); }));
    connect(Image2, &TImage::DoubleClicked, this, Guarded([this] { Image2DblClick(); }));
}

void TForm1::BuildMenu() {
    auto command = [this](QMenu* menu, const QString& caption, void (TForm1::*handler)()) {
        QAction* action = menu->addAction(caption);
        connect(action, &QAction::triggered, this, Guarded([this, handler] { (this->*handler)(); }));
        return action;
    };
    N1 = menuBar()->addMenu(tr("Редактор"));
    BuildHistoryItems();
    N2 = command(N1, tr("Инвертировать"), &TForm1::N2Click);
    N3 = command(N1, tr("Осветлить"), &TForm1::N3Click);
    N4 = command(N1, tr("Затемнить"), &TForm1::N4Click);
    N7 = N1->addMenu(tr("Повернуть"));
    N901 = command(N7, tr("На 90"), &TForm1::N901Click);
    N101 = command(N7, tr("На 180"), &TForm1::N101Click);
    N8 = command(N1, tr("Подписать картинку"), &TForm1::N8Click);
    N6 = menuBar()->addMenu(tr("Инфа"));
    BMP1 = command(N6, tr("Об открываемом файле"), &TForm1::BMP1Click);
    N5 = menuBar()->addAction(tr("О программе"));
    connect(N5, &QAction::triggered, this, Guarded([this] { N5Click(); }));
}

void TForm1::BuildTimers() {
    auto timer = [this](int interval, void (TForm1::*handler)()) {
        auto* t = new QTimer(this);
        t->setInterval(interval);
        connect(t, &QTimer::timeout, this, Guarded([this, handler] { (this->*handler)(); }));
        t->start();
        return t;
    };
    Timer1 = timer(100, &TForm1::Timer1Timer);
    Timer2 = timer(500, &TForm1::Timer2Timer);
    Timer3 = timer(500, &TForm1::Timer3Timer);
}

// The photograph is kept in the window's stored form: class name, byte count, JPEG file. It is
// decoded when the box first paints it.
void TForm1::LoadStartupPhotograph() {
    QFile file(QStringLiteral(":/startup-photo.dat"));
    if (!file.open(QIODevice::ReadOnly)) return;
    QByteArray bytes = file.readAll();
    TMemoryStream stream;
    stream.WriteBuffer(bytes.constData(), std::size_t(bytes.size()));
    stream.SetPosition(0);
    ReadPictureData(Image1->Picture(), stream);
}

void TForm1::closeEvent(QCloseEvent* event) {
    TForm::closeEvent(event);
    if (event->isAccepted()) QCoreApplication::exit(0);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFile(event->mimeData())) event->acceptProposedAction();
}

void TForm1::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppedFile(event->mimeData())) event->acceptProposedAction();
}

// The file opens after the drop has been answered, so that an error box does not keep the file
// manager waiting for the end of its drag.
void TForm1::dropEvent(QDropEvent* event) {
    std::optional<std::string> path = DroppedFile(event->mimeData());
    if (!path) return;
    event->acceptProposedAction();
    QTimer::singleShot(0, this, Guarded([this, file = *path] { OpenSourcePicture(file); }));
}

void TForm1::FancyButton1Click() {
    if (!OpenPictureDialog1.RunDialog()) return;
    OpenSourcePicture(OpenPictureDialog1.FileName());
}

void TForm1::OpenSourcePicture(const std::string& path) {
    XPEdit1->setText(QString::fromStdString(path));
    const BusyCursor busy;
    ReadFromFile(Image1->Picture(), TextOf(XPEdit1));
    history_.Clear();
    ShowHistoryState();
    Image1->SetPictureName(QFileInfo(XPEdit1->text()).fileName());
}

void TForm1::FancyButton2Click() {
    if (!SavePictureDialog1.RunDialog()) return;
    XPEdit2->setText(QString::fromStdString(SavePictureDialog1.FileName()));
}

// The name is taken once: nothing between the write and the read-back runs the event loop, so the
// target and the type cannot change in between.
void TForm1::FancyButton3Click() {
    const std::optional<SaveKind> kind = ChosenSaveKind();
    CheckSaveTarget(TextOf(XPEdit2));
    const BusyCursor busy;
    const std::string name = SavedFileName(TextOf(XPEdit2), kind);
    if (kind == SaveKind::Jpeg) SaveWorkingPictureAsJpeg(name);
    if (kind == SaveKind::Icon)
        SaveIconFromSource(TextOf(XPEdit1), name, Surface(), [this](TIcon& icon) {
            QApplication::setWindowIcon(IconToQIcon(icon));
            update();
        });
    const std::int64_t size = ReadBackSavedFile(name, Image2->Picture());
    Image2->SetPictureName(QFileInfo(QString::fromStdString(name)).fileName());
    Label7->SetCaption(FileSizeCaption());
    Label8->SetCaption(KilobyteText(size));
}

std::optional<SaveKind> TForm1::ChosenSaveKind() const {
    return SaveKindAt(SavePictureDialog1.FilterIndex());
}

void TForm1::Timer1Timer() {
    Label4->SetCaption(std::to_string(TrackBar1->value()));
}

void TForm1::Timer2Timer() {
    std::int64_t size = platform::QueryFileSize(TextOf(XPEdit1));
    Label5->SetCaption(FileSizeCaption());
    Label6->SetCaption(KilobyteText(size));
    // The quality applies to JPEG only.
    if (const std::optional<SaveKind> kind = ChosenSaveKind()) TrackBar1->setEnabled(*kind == SaveKind::Jpeg);
}

void TForm1::Timer3Timer() {
    BMP1->setEnabled(!XPEdit1->text().isEmpty());
}

void TForm1::Image1DblClick() {
    platform::ShellExecute(TextOf(XPEdit1));
}

void TForm1::Image2DblClick() {
    platform::ShellExecute(SavedFileName(TextOf(XPEdit2), ChosenSaveKind()));
}

void TForm1::N2Click() {
    EditPicture(PictureEdit::Inversion());
    Image1->repaint();
}

void TForm1::N3Click() {
    Form2->ShowInFront();
}
void TForm1::N4Click() {
    Form3->ShowInFront();
}
void TForm1::N5Click() {
    Form4->ShowInFront();
}
void TForm1::N8Click() {
    Form6->ShowInFront();
}

void TForm1::N901Click() {
    EditPicture(PictureEdit::Rotation(90));
}
void TForm1::N101Click() {
    EditPicture(PictureEdit::Rotation(180));
}

void TForm1::BMP1Click() {
    Form5->ShowInFront();
    std::vector<std::string> lines = SummarizeBmpHeader(TextOf(XPEdit1));
    Form5->XPListBox1->clear();
    for (const std::string& line : lines) Form5->XPListBox1->addItem(QString::fromStdString(line));
}

#pragma once
#include <functional>
#include <memory>
#include <optional>

#include "core/PictureEdit.h"
#include "core/TCanvas.h"
#include "ui/EditHistory.h"
#include "ui/JpegSizeProbe.h"
#include "ui/SaveKind.h"
#include "ui/TForm.h"
#include "ui/TOpenPictureDialog.h"
#include "ui/TSavePictureDialog.h"

class QAction;
class QMenu;
class QScrollArea;
class QSlider;
class QTimer;
class TBevel;
class TFancyButton;
class TImage;
class TLabel;
class TPicture;
class TXPCollapsePanel;
class TXPEdit;

// The main window: source and target rows, the quality slider, the working picture above the
// saved file's preview, the menu and the three timers. Closing it ends the program.
class TForm1 : public TForm {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    TXPCollapsePanel* XPCollapsePanel1;
    TBevel* Bevel1;
    TBevel* Bevel2;
    TBevel* Bevel3;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    TLabel* Label5;
    TLabel* Label6;
    TLabel* Label7;
    TLabel* Label8;
    TLabel* Label9;  // the size the JPEG save would write at the slider's quality
    TXPEdit* XPEdit1;
    TXPEdit* XPEdit2;
    TFancyButton* FancyButton1;
    TFancyButton* FancyButton2;
    TFancyButton* FancyButton3;
    QSlider* TrackBar1;
    QScrollArea* ScrollBox1;
    TImage* Image1;
    TImage* Image2;
    QMenu* N1;
    QAction* UndoItem;  // "Отменить"
    QAction* RedoItem;  // "Повторить"
    QAction* N2;
    QAction* N3;
    QAction* N4;
    QMenu* N7;
    QAction* N901;
    QAction* N101;
    QAction* N8;
    QMenu* N6;
    QAction* BMP1;
    QAction* N5;
    QTimer* Timer1;
    QTimer* Timer2;
    QTimer* Timer3;
    TOpenPictureDialog OpenPictureDialog1;
    TSavePictureDialog SavePictureDialog1;
    JpegSizeProbe* SizeProbe;

    void FancyButton1Click();
    void FancyButton2Click();
    void FancyButton3Click();  // saves as JPEG or icon, then shows the saved file's size and picture
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void Image1DblClick();
    void Image2DblClick();
    void N2Click();
    void N3Click();
    void N4Click();
    void N5Click();
    void N8Click();
    void N901Click();
    void N101Click();
    void BMP1Click();
    void UndoItemClick();
    void RedoItemClick();

    // Puts the path into XPEdit1 and loads the file into Image1 by its extension, as the first
    // browse button does with the file chosen in its dialog (also the program argument and a drop).
    void OpenSourcePicture(const std::string& path);

    // Runs an edit of the working picture and makes it one step of the history (every menu and
    // dialog edit comes here; the dialogs hand theirs over by their EditChosen signal). The size
    // figure lets go of the picture's rows first, so that only the history's step keeps the old
    // pixels. An edit that fails leaves the picture as it was.
    void EditPicture(const PictureEdit& edit);

    // The window's own drawing surface (the icon export draws its intermediate pictures on it).
    TCanvas& Surface() { return *surface_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildSourceRow(QWidget* panel);
    void BuildTargetRow(QWidget* panel);
    void BuildQualityRow(QWidget* panel);
    void BuildImages(QWidget* panel);
    void BuildMenu();
    void BuildHistoryItems();  // Unit1History.cpp
    void ShowHistoryState();   // the undo and redo items enabled as the history allows
    void BuildTimers();
    void BuildKeyboardAccess();  // names, labels, tab order and shortcuts (Unit1Access.cpp)
    void LoadStartupPhotograph();
    // The kind of file the save dialog's type stands for; read afresh each time, since the
    // dialog's answer changes while it is open.
    std::optional<SaveKind> ChosenSaveKind() const;

    // The size figure (Unit1SizeFigure.cpp).
    void BuildSizeFigure(QWidget* panel);
    void ShowSizePending();
    void QueueSizeFigure();
    void RefreshSizeFigure();
    JpegSizeProbe::Key SizeKey() const;
    void SaveWorkingPictureAsJpeg(const std::string& name);
    std::uint64_t pictureChanges_ = 0;
    std::int64_t lastSizeFigure_ = -1;
    bool sizeFigureQueued_ = false;

    EditHistory history_;
    std::unique_ptr<platform::Bitmap> surfaceRaster_;
    std::unique_ptr<TRasterCanvas> surface_;
};

extern TForm1* Form1;

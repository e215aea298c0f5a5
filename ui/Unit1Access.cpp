#include <QKeySequence>
#include <QMenuBar>
#include <QScrollArea>
#include <QShortcut>
#include <QSlider>

#include "ui/DialogControls.h"
#include "ui/MenuBarKeys.h"
#include "ui/TImage.h"
#include "ui/TLabel.h"
#include "ui/Unit1.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPEdit.h"

// What keyboard and screen reader users need of the main window beyond its look: the labels name
// the edits and the slider, the two "Обзор" buttons are told apart by their descriptions, Tab goes
// row by row as the eye does, and the usual shortcuts open, save and quit.
void TForm1::BuildKeyboardAccess() {
    Label1->setBuddy(XPEdit1);
    Label2->setBuddy(XPEdit2);
    Label3->setBuddy(TrackBar1);
    FancyButton1->setAccessibleDescription(tr("Выбрать исходный файл"));
    FancyButton2->setAccessibleDescription(tr("Выбрать имя сохраняемого файла"));
    Label4->setAccessibleDescription(tr("Качество сохранения"));
    Label6->setAccessibleDescription(tr("Размер исходного файла"));
    Label8->setAccessibleDescription(tr("Размер сохранённого файла"));
    ScrollBox1->setAccessibleName(tr("Картинки"));
    Image1->setAccessibleName(tr("Рабочая картинка"));
    Image2->setAccessibleName(tr("Сохранённый файл"));
    Image1->SetPictureName(tr("стартовая фотография"));
    ChainTabOrder({XPEdit1, FancyButton1, XPEdit2, FancyButton2, FancyButton3, TrackBar1, ScrollBox1});
    FancyButton1->SetShortcutKeys(QKeySequence(Qt::CTRL | Qt::Key_O));
    FancyButton3->SetShortcutKeys(QKeySequence(Qt::CTRL | Qt::Key_S));
    LetAltReachMenuBar(*menuBar());
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
}

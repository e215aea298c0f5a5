#include "ui/Unit6.h"

#include "core/Errors.h"
#include "ui/DialogControls.h"
#include "ui/Guarded.h"
#include "ui/TBevel.h"
#include "ui/TLabel.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPCollapsePanel.h"
#include "widgets/TXPComboBox.h"
#include "widgets/TXPEdit.h"

TForm6* Form6 = nullptr;

namespace {

const QStringList Positions = {"10",  "30",  "50",  "70",  "100", "140", "180",
                               "220", "260", "300", "350", "400", "450", "500"};

TXPEdit* MakeEdit(QWidget* parent, int left, int top, int width) {
    auto* edit = new TXPEdit(parent);
    edit->setGeometry(left, top, width, 21);
    return edit;
}

}  // namespace

TForm6::TForm6() : TForm(tr("Текст"), 345, 161, clBackground) {
    XPCollapsePanel1 = MakeDialogPanel(Client(), 345, 161);
    QWidget* panel = XPCollapsePanel1;
    Bevel1 = new TBevel(panel, 8, 3, 329, 150);
    Label1 = MakeBlueLabel(panel, 16, 8, tr("Текст надписи:"));
    XPEdit1 = MakeEdit(panel, 13, 24, 318);
    FancyButton4 = MakeDialogButton(panel, 16, 50, 81, tr("Шрифт"));
    XPEdit3 = MakeEdit(panel, 104, 48, 225);
    XPEdit3->setReadOnly(true);
    Label2 = MakeBlueLabel(panel, 16, 80, tr("Положение надписи:"));
    Label3 = MakeBlueLabel(panel, 16, 100, tr("По оси Х:"));
    XPComboBox1 = MakePickList(panel, 80, 96, 57, 21, Positions);
    XPComboBox1->setCurrentIndex(0);
    Label4 = MakeBlueLabel(panel, 208, 100, tr("По оси У:"));
    XPComboBox2 = MakePickList(panel, 272, 96, 57, 21, Positions + QStringList{QString()});
    XPComboBox2->setCurrentIndex(0);
    FancyButton1 = MakeDialogButton(panel, 24, 128, 81, tr("Применить"));
    FancyButton2 = MakeDialogButton(panel, 240, 128, 81, tr("Отмена"));
    ChainTabOrder({XPEdit1, FancyButton4, XPEdit3, XPComboBox1, XPComboBox2, FancyButton1, FancyButton2});
    Label1->setBuddy(XPEdit1);
    Label3->setBuddy(XPComboBox1);
    Label4->setBuddy(XPComboBox2);
    // Shown only (read-only, so not announced as editable); it has no label of its own.
    XPEdit3->setAccessibleName(tr("Выбранный шрифт"));
    SetDialogKeys(FancyButton1);
    connect(FancyButton1, &TFancyButton::clicked, this, Guarded([this] { FancyButton1Click(); }));
    connect(FancyButton2, &TFancyButton::clicked, this, Guarded([this] { FancyButton2Click(); }));
    connect(FancyButton4, &TFancyButton::clicked, this, Guarded([this] { FancyButton4Click(); }));
}

void TForm6::FancyButton4Click() {
    FontDialog1.Execute();
    // Also after a cancel: the edit then shows the font still in force.
    XPEdit3->setText(QString::fromStdString(FontDialog1.Font.name));
}

void TForm6::FancyButton1Click() {
    const FontChoice font = FontDialog1.Font;
    const std::string text = XPEdit1->text().toStdString();
    const int y = StrToInt(SelectedText(*XPComboBox2));
    const int x = StrToInt(SelectedText(*XPComboBox1));
    emit EditChosen(PictureEdit::CaptionAt(text, x, y, font.name, font.sizePoints, font.color));
}

void TForm6::FancyButton2Click() {
    hide();
}

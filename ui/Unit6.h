#pragma once
#include "core/PictureEdit.h"
#include "ui/TFontDialog.h"
#include "ui/TForm.h"

class TBevel;
class TFancyButton;
class TLabel;
class TXPCollapsePanel;
class TXPComboBox;
class TXPEdit;

// The Caption dialog: a line of text in a chosen font, handed to the main window to write onto its picture.
class TForm6 : public TForm {
    Q_OBJECT
public:
    TForm6();

    TXPCollapsePanel* XPCollapsePanel1;
    TBevel* Bevel1;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    TXPEdit* XPEdit1;            // the caption text
    TXPEdit* XPEdit3;            // the font's face name, shown only
    TXPComboBox* XPComboBox1;    // X
    TXPComboBox* XPComboBox2;    // Y
    TFancyButton* FancyButton1;  // "Применить"
    TFancyButton* FancyButton2;  // "Отмена"
    TFancyButton* FancyButton4;  // "Шрифт"
    TFontDialog FontDialog1;

    void FancyButton1Click();
    void FancyButton2Click();
    void FancyButton4Click();

signals:
    // "Применить": the caption for the main window to write.
    void EditChosen(const PictureEdit& edit);
};

extern TForm6* Form6;

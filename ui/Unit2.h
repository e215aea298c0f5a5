#pragma once
#include "core/PictureEdit.h"
#include "ui/TForm.h"

class TBevel;
class TFancyButton;
class TLabel;
class TXPCollapsePanel;
class TXPComboBox;

// The Lighten dialog: a brightness step from a fixed list, handed to the main window.
class TForm2 : public TForm {
    Q_OBJECT
public:
    TForm2();

    TXPCollapsePanel* XPCollapsePanel1;
    TBevel* Bevel1;
    TLabel* Label1;
    TXPComboBox* XPComboBox1;
    TFancyButton* FancyButton1;  // "Да"
    TFancyButton* FancyButton2;  // "Отмена"

    void FancyButton1Click();
    void FancyButton2Click();

signals:
    // "Да" with a step chosen: the edit for the main window to make.
    void EditChosen(const PictureEdit& edit);
};

extern TForm2* Form2;

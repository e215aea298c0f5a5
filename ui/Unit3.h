#pragma once
#include "core/PictureEdit.h"
#include "ui/TForm.h"

class TBevel;
class TFancyButton;
class TLabel;
class TXPCollapsePanel;
class TXPComboBox;

// The Darken dialog: a darkening step from a fixed list, handed to the main window.
// Its buttons are named the other way round from the Lighten dialog's.
class TForm3 : public TForm {
    Q_OBJECT
public:
    TForm3();

    TXPCollapsePanel* XPCollapsePanel1;
    TBevel* Bevel1;
    TLabel* Label1;
    TXPComboBox* XPComboBox1;
    TFancyButton* FancyButton1;  // "Отмена"
    TFancyButton* FancyButton2;  // "Да"

    void FancyButton1Click();
    void FancyButton2Click();

signals:
    // "Да" with a step chosen: the edit for the main window to make.
    void EditChosen(const PictureEdit& edit);
};

extern TForm3* Form3;

#include "ui/Unit2.h"

#include "ui/BrightnessStep.h"
#include "ui/DialogControls.h"
#include "ui/Guarded.h"
#include "ui/TBevel.h"
#include "ui/TLabel.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPCollapsePanel.h"
#include "widgets/TXPComboBox.h"

TForm2* Form2 = nullptr;

TForm2::TForm2() : TForm(QStringLiteral("Brelvik 100"), 288, 64, clActiveCaption) {
    XPCollapsePanel1 = MakeDialogPanel(Client(), 289, 65);
    Bevel1 = new TBevel(XPCollapsePanel1, 8, 3, 273, 30);
    Label1 = MakeBlueLabel(XPCollapsePanel1, 14, 8, "Выберите величину освещения");
    // A sorted list: the items are given in their sorted order.
    XPComboBox1 = MakePickList(XPCollapsePanel1, 200, 8, 73, 21, {"", "10", "20", "30", "40", "50"});
    FancyButton1 = MakeDialogButton(XPCollapsePanel1, 16, 38, 81, "Да");
    FancyButton2 = MakeDialogButton(XPCollapsePanel1, 192, 38, 81, "Отмена");
    connect(FancyButton1, &TFancyButton::clicked, this, Guarded([this] { FancyButton1Click(); }));
    connect(FancyButton2, &TFancyButton::clicked, this, Guarded([this] { FancyButton2Click(); }));
}

void TForm2::FancyButton1Click() { ApplyBrightnessStep(*XPComboBox1); }

void TForm2::FancyButton2Click() { hide(); }

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
    Label1 = MakeBlueLabel(XPCollapsePanel1, 14, 8, tr("Выберите величину освещения"));
    // A sorted list: the items are given in their sorted order.
    XPComboBox1 = MakePickList(XPCollapsePanel1, 200, 8, 73, 21, {"", "10", "20", "30", "40", "50"});
    FancyButton1 = MakeDialogButton(XPCollapsePanel1, 16, 38, 81, tr("Да"));
    FancyButton2 = MakeDialogButton(XPCollapsePanel1, 192, 38, 81, tr("Отмена"));
    connect(FancyButton1, &TFancyButton::clicked, this, Guarded([this] { FancyButton1Click(); }));
    connect(FancyButton2, &TFancyButton::clicked, this, Guarded([this] { FancyButton2Click(); }));
    // The caption is the Darken window's too; assistive tools tell them apart by this name.
    setAccessibleName(tr("Осветлить"));
    Label1->setBuddy(XPComboBox1);
    ChainTabOrder({XPComboBox1, FancyButton1, FancyButton2});
    SetDialogKeys(FancyButton1);
}

void TForm2::FancyButton1Click() {
    if (const std::optional<PictureEdit> edit = ChosenBrightnessStep(*XPComboBox1)) emit EditChosen(*edit);
}

void TForm2::FancyButton2Click() {
    hide();
}

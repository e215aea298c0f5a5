#include "ui/Unit3.h"

#include "ui/BrightnessStep.h"
#include "ui/DialogControls.h"
#include "ui/Guarded.h"
#include "ui/TBevel.h"
#include "ui/TLabel.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPCollapsePanel.h"
#include "widgets/TXPComboBox.h"

TForm3* Form3 = nullptr;

TForm3::TForm3() : TForm(QStringLiteral("Brelvik 100"), 289, 66, clActiveCaption) {
    XPCollapsePanel1 = MakeDialogPanel(Client(), 289, 65);
    Bevel1 = new TBevel(XPCollapsePanel1, 8, 3, 273, 33);
    Label1 = MakeBlueLabel(XPCollapsePanel1, 14, 8, tr("Выберите величину затемнения"));
    XPComboBox1 = MakePickList(XPCollapsePanel1, 200, 8, 73, 21, {"-10", "-20", "-30", "-40", "-50"});
    FancyButton1 = MakeDialogButton(XPCollapsePanel1, 192, 40, 81, tr("Отмена"));
    FancyButton2 = MakeDialogButton(XPCollapsePanel1, 16, 40, 81, tr("Да"));
    connect(FancyButton1, &TFancyButton::clicked, this, Guarded([this] { FancyButton1Click(); }));
    connect(FancyButton2, &TFancyButton::clicked, this, Guarded([this] { FancyButton2Click(); }));
    setAccessibleName(tr("Затемнить"));
    Label1->setBuddy(XPComboBox1);
    ChainTabOrder({XPComboBox1, FancyButton2, FancyButton1});  // "Да" sits on the left
    SetDialogKeys(FancyButton2);
}

void TForm3::FancyButton1Click() {
    hide();
}

void TForm3::FancyButton2Click() {
    if (const std::optional<PictureEdit> edit = ChosenBrightnessStep(*XPComboBox1)) emit EditChosen(*edit);
}

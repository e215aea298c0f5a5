#include "ui/DialogControls.h"

#include <QWidget>

#include "widgets/SharedButtonLook.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPCollapsePanel.h"
#include "widgets/TXPComboBox.h"

TXPCollapsePanel* MakeDialogPanel(QWidget* client, int width, int height) {
    auto* panel = new TXPCollapsePanel(client);
    panel->setGeometry(0, 0, width, height);
    panel->SetColorBackground(16485715);
    return panel;
}

TFancyButton* MakeDialogButton(QWidget* parent, int left, int top, int width, const QString& caption) {
    auto* button = new TFancyButton(parent);
    button->setGeometry(left, top, width, 19);
    button->SetCaption(caption.toStdString());
    ApplySharedButtonLook(*button);
    return button;
}

TXPComboBox* MakePickList(QWidget* parent, int left, int top, int width, int height,
                          const QStringList& items) {
    auto* list = new TXPComboBox(parent);
    list->setGeometry(left, top, width, height);
    list->SetStyle(csDropDownList);
    list->SetItemHeight(13);
    list->addItems(items);
    list->setCurrentIndex(-1);
    return list;
}

std::string SelectedText(const TXPComboBox& list) {
    return list.currentIndex() < 0 ? std::string() : list.currentText().toStdString();
}

void ChainTabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

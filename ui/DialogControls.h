#pragma once
#include <QStringList>
#include <initializer_list>
#include <string>

class QWidget;
class TFancyButton;
class TXPCollapsePanel;
class TXPComboBox;

// Controls the small dialogs share with the main window's look.

// The coloured panel behind a dialog's controls (background 16485715).
TXPCollapsePanel* MakeDialogPanel(QWidget* client, int width, int height);
// A fancy button 19 pixels high with the program's shared look.
TFancyButton* MakeDialogButton(QWidget* parent, int left, int top, int width, const QString& caption);
// A pick list (no typing) with rows 13 pixels high and the given items, in the order given, and
// nothing selected.
TXPComboBox* MakePickList(QWidget* parent, int left, int top, int width, int height,
                          const QStringList& items);
// Tab visits the controls in the order given (the order the eye reads them in).
void ChainTabOrder(std::initializer_list<QWidget*> controls);
// The selected item's text, or empty when nothing is selected.
std::string SelectedText(const TXPComboBox& list);

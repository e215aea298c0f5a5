#pragma once
#include "ui/TForm.h"

class TXPCollapsePanel;
class TXPListBox;

// The information window: the header facts of the source BMP file, filled by the main window.
class TForm5 : public TForm {
    Q_OBJECT
public:
    TForm5();

    TXPCollapsePanel* XPCollapsePanel1;
    TXPListBox* XPListBox1;
};

extern TForm5* Form5;

#pragma once
#include "ui/TForm.h"

// The Lighten dialog: a brightness step from a fixed list, applied to the main window's picture.
class TForm2 : public TForm {
    Q_OBJECT
public:
    TForm2();
};

extern TForm2* Form2;

#pragma once
#include "ui/TForm.h"

// The Darken dialog: a darkening step from a fixed list, applied to the main window's picture.
class TForm3 : public TForm {
    Q_OBJECT
public:
    TForm3();
};

extern TForm3* Form3;

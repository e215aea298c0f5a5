#pragma once
#include "ui/TForm.h"

// The Caption dialog: a line of text in a chosen font, written onto the main window's picture.
class TForm6 : public TForm {
    Q_OBJECT
public:
    TForm6();
};

extern TForm6* Form6;

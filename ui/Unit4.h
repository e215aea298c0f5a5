#pragma once
#include "ui/TForm.h"

class TBevel;
class TImage;
class TLabel;

// The About window: a stored picture and three contact lines.
class TForm4 : public TForm {
    Q_OBJECT
public:
    TForm4();

    TImage* Image1;
    TBevel* Bevel1;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
};

extern TForm4* Form4;

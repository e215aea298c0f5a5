#include "ui/Unit2.h"

TForm2* Form2 = nullptr;

TForm2::TForm2() : TForm(QStringLiteral("Brelvik 100"), 288, 64, clActiveCaption) {}

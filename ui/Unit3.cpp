#include "ui/Unit3.h"

TForm3* Form3 = nullptr;

TForm3::TForm3() : TForm(QStringLiteral("Brelvik 100"), 289, 66, clActiveCaption) {}

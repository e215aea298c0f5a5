#include "ui/Unit6.h"

TForm6* Form6 = nullptr;

TForm6::TForm6() : TForm(QStringLiteral("Текст"), 345, 161, clBackground) {}

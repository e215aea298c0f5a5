#pragma once
#include <QIcon>

class TGraphic;

// An icon picture as a Qt icon: drawn at its own size, with its transparent pixels kept.
QIcon IconToQIcon(TGraphic& icon);

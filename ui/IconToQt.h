#pragma once
#include <QIcon>

class TGraphic;

class QImage;

// An icon picture as a Qt icon: drawn at its own size, with its transparent pixels kept.
QIcon IconToQIcon(TGraphic& icon);
// A window icon offered at its own size and at twice that, the double made by repeating each
// pixel (the 16-colour picture stays sharp on a dense screen instead of blurred by the desktop).
QIcon IconAtOneAndTwice(const QImage& picture);

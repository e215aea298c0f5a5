#pragma once
#include <QWidget>

// A lowered rectangular frame: shadow on the top and left edges, highlight on the bottom and right.
// Draws nothing inside, so what lies behind shows through.
class TBevel : public QWidget {
    Q_OBJECT
public:
    TBevel(QWidget* parent, int left, int top, int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;
};

#pragma once
#include <QSlider>

// The quality slider: the toolkit's horizontal slider with the program's focus mark around it
// while the keyboard has put the focus there.
class TTrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TTrackBar(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};

#pragma once
#include <QScrollArea>

// The scroll box of the image boxes: vertical scrolling, and the program's focus mark on its frame
// while the keyboard has put the focus there (the arrow keys then scroll it).
class TScrollBox : public QScrollArea {
    Q_OBJECT
public:
    explicit TScrollBox(QWidget* parent = nullptr);

protected:
    bool event(QEvent* e) override;
};

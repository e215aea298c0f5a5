#pragma once
#include <QWidget>
#include <string>

// A panel whose painting cannot fail: a lowered outer and a raised inner bevel, a centred caption.
// An error while the panel (or, through ReportPaintError, its image box) paints becomes the
// caption "Invalid image" instead of a message.
class TSilentPaintPanel : public QWidget {
    Q_OBJECT
public:
    explicit TSilentPaintPanel(QWidget* parent);

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    void ReportPaintError();

    // The area inside the two bevels.
    QRect ClientArea() const { return rect().adjusted(2, 2, -2, -2); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintFace(QPainter& painter);

    std::string caption_;
};

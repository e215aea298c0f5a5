#include "ui/TLabel.h"

#include "widgets/QtColor.h"

TLabel::TLabel(QWidget* parent, int left, int top, TColor color, int pixelHeight, const std::string& caption)
    : QLabel(parent) {
    QFont face(QStringLiteral("Arial"));
    face.setPixelSize(pixelHeight);
    face.setBold(true);
    setFont(face);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, ToQColor(color));
    setPalette(colours);
    setTextFormat(Qt::PlainText);
    setContentsMargins(0, 0, 0, 0);
    setIndent(0);
    move(left, top);
    SetCaption(caption);
}

void TLabel::SetCaption(const std::string& value) {
    setText(QString::fromStdString(value));
    if (autoSize_) adjustSize();
}

void TLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    if (autoSize_) adjustSize();
}

TLabel* MakeBlueLabel(QWidget* parent, int left, int top, const QString& caption) {
    return new TLabel(parent, left, top, clBlue, 11, caption.toStdString());
}

TLabel* MakeRedLabel(QWidget* parent, int left, int top, const QString& caption) {
    return new TLabel(parent, left, top, clRed, 12, caption.toStdString());
}

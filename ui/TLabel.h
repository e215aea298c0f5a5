#pragma once
#include <QLabel>
#include <string>

#include "core/TColor.h"

// One line of text in its own font ("Arial" bold at the given pixel height, in `color`), with no
// background of its own. An auto-sizing label follows its text; otherwise it keeps its size.
class TLabel : public QLabel {
    Q_OBJECT
public:
    TLabel(QWidget* parent, int left, int top, TColor color, int pixelHeight,
           const std::string& caption = {});

    std::string Caption() const { return text().toStdString(); }
    void SetCaption(const std::string& value);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

private:
    bool autoSize_ = true;
};

// The two label looks of the main window: blue 11 pixels and red 12 pixels high.
TLabel* MakeBlueLabel(QWidget* parent, int left, int top, const QString& caption = {});
TLabel* MakeRedLabel(QWidget* parent, int left, int top, const QString& caption = {});

#pragma once
#include <QDialog>
#include <QSize>
#include <functional>

class TImage;
class TPicture;

// The larger preview of a picture dialog: a sizeable tool window centred on the screen, a
// bordered panel and an image box holding a copy of the picture. Esc closes it.
class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    TPreviewForm(const TPicture& picture, QWidget* parent = nullptr);

    QWidget* Panel() const { return panel_; }
    TImage* Image() const { return image_; }

    // Shows a preview of `picture` modally; the window is gone when this returns.
    static void ShowFor(const TPicture& picture, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FitToPicture(const TPicture& picture);

    QWidget* panel_;
    TImage* image_;
};

// The window's client size for a picture: room for the picture plus the panel's frame and 10
// pixels, at most three quarters of the monitor each way. A picture without width keeps `client`.
QSize PreviewClientSize(QSize client, QSize panelClient, QSize picture, QSize monitor);

// The size of the monitor a window is on; tests replace it (empty restores the real query).
void SetMonitorSizeQuery(std::function<QSize(const QWidget&)> query);

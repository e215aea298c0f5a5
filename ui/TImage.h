#pragma once
#include <QWidget>
#include <exception>
#include <functional>

#include "core/TPicture.h"

// The image box: holds one picture and draws it by the box's rule (stretch, proportional, centre).
// The picture is drawn by its own graphic into a 32-bit raster of the box's size in device pixels,
// which is then put on screen pixel for pixel. Changes of the picture are coalesced into one repaint.
class TImage : public QWidget {
    Q_OBJECT
public:
    TImage(QWidget* parent, int left, int top, int width, int height);

    TPicture& Picture() { return picture_; }

    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    // Repaint at once on each progress notice that asks for a redraw (while a picture decodes).
    bool IncrementalDisplay() const { return incrementalDisplay_; }
    void SetIncrementalDisplay(bool value) { incrementalDisplay_ = value; }

    // Where the picture lands in the box's client area, in logical pixels.
    platform::TRect DestRect() const;

    // What the box shows, for assistive tools: the picture's name (set with each new picture), its
    // size, and how many changes it has had since, so that every edit is announced.
    void SetPictureName(const QString& name);
    QString PictureDescription() const;

    // Takes an error raised while painting; without it the error goes to the error box.
    std::function<void(std::exception_ptr)> OnPaintError;

signals:
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void SetFlag(bool& flag, bool value);
    void PictureProgress(bool redraw);
    void DrawPicture(QPainter& painter);
    void PictureChanged();
    void AnnounceDescription();

    TPicture picture_;
    bool center_ = false;
    bool proportional_ = false;
    bool stretch_ = false;
    bool incrementalDisplay_ = false;
    bool painting_ = false;
    QString pictureName_;
    int changes_ = 0;
    bool changePending_ = false;
};

#pragma once
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "core/TColor.h"

// How a child of the panel is laid out inside the panel's frame.
enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

// The coloured container behind the controls of a window: a margin in ColorBackground, a frame
// line in ColorFrame at the left, right and bottom, and the inner area in Color. Children given an
// alignment are laid out inside the frame line.
class TXPCollapsePanel : public QWidget {
    Q_OBJECT

public:
    explicit TXPCollapsePanel(QWidget* parent = nullptr);

    std::uint8_t Border() const { return border_; }
    void SetBorder(std::uint8_t value);  // 0..30 by convention; not checked
    TColor ColorFrame() const { return colorFrame_; }
    void SetColorFrame(TColor value);
    TColor ColorBackground() const { return colorBackground_; }
    void SetColorBackground(TColor value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);

    // Aligns a child (made with this panel as its parent) and keeps it aligned on every resize.
    void SetChildAlign(QWidget* child, TAlign align);
    // The area aligned children share: inside the frame line.
    QRect AlignArea() const;

    // Values a stored panel leaves out when equal.
    static constexpr TColor DefaultColorFrame = 16777215;
    static constexpr TColor DefaultColorBackground = 16737380;
    static constexpr TColor DefaultColor = 16309195;
    static constexpr std::uint8_t DefaultBorder = 4;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void childEvent(QChildEvent* e) override;

private:
    struct AlignedChild {
        QWidget* child;
        TAlign align;
    };
    void AlignControls();

    TColor colorFrame_ = 0xFFFFFF;
    TColor colorBackground_ = 16485715;
    TColor color_ = DefaultColor;
    std::uint8_t border_ = DefaultBorder;
    std::vector<AlignedChild> aligned_;
};

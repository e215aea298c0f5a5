#pragma once
#include <QComboBox>
#include <QImage>
#include <QRect>
#include <cstdint>

#include "widgets/XPScheme.h"

enum TComboBoxStyle : std::uint8_t {
    csDropDown,
    csSimple,
    csDropDownList,
    csOwnerDrawFixed,
    csOwnerDrawVariable
};

// A combo box with the flat border of its colour variant and its own drop-down button: a stretched
// image chosen by state (normal, hot, held down, disabled), an outline, light corners and a chevron.
// The open list can be made wider than the control by DropDownWidthPlus.
class TXPComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TXPComboBox(QWidget* parent = nullptr);

    // csDropDown is the editable combo; every other style is a pick list (csSimple has no button).
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    TXPScheme XPScheme() const { return scheme_; }
    void SetXPScheme(TXPScheme value);  // stored also when equal; repaints the frame
    std::uint8_t SchemeIndex() const { return schemeIndex_; }
    int DropDownWidthPlus() const { return dropDownWidthPlus_; }
    void SetDropDownWidthPlus(int value);  // negative values are stored as 0
    // Height of each row of the open list, in pixels; 0 leaves the style's own.
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);
    void ThemeChanged();

    QRect ButtonRect() const;
    bool InHotArea(const QPoint& point) const;

    bool ButtonHit() const { return buttonHit_; }
    bool ButtonHeld() const { return buttonHeld_; }
    bool OverHotArea() const { return overHotArea_; }
    bool MouseInControl() const { return mouseInControl_; }
    bool ListOpen() const { return listOpen_; }

    void showPopup() override;
    void hidePopup() override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void PaintComboFrame();
    void UpdateButtonHit(const QPoint& point);
    void ReleaseButton();
    void CursorQuery(const QPoint& point);
    void PaintPickListField(QPainter& painter);

    bool buttonHit_ = false;
    bool overHotArea_ = false;
    bool mouseInControl_ = false;
    bool buttonHeld_ = false;
    bool listOpen_ = false;
    QImage buttonImage_;
    int dropDownWidthPlus_ = 0;
    int itemHeight_ = 0;
    std::uint8_t schemeIndex_ = 0;
    TXPScheme scheme_ = xpBlue;
    TComboBoxStyle style_ = csDropDownList;
};

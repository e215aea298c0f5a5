#pragma once
#include <QListWidget>
#include <cstdint>

#include "widgets/XPScheme.h"

// A list box with the flat two-pixel border of its colour variant, redrawn after every paint
// (item drawing included), every change of Enabled and every change of the scheme.
class TXPListBox : public QListWidget {
    Q_OBJECT

public:
    explicit TXPListBox(QWidget* parent = nullptr);

    TXPScheme XPScheme() const { return scheme_; }
    void SetXPScheme(TXPScheme value);  // stored also when equal; re-applies the scheme
    std::uint8_t SchemeIndex() const { return schemeIndex_; }
    void ApplyXPScheme();
    void ThemeChanged();

protected:
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    std::uint8_t schemeIndex_ = 0;
    TXPScheme scheme_ = xpBlue;
};

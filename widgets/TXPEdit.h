#pragma once
#include <QLineEdit>
#include <cstdint>

#include "widgets/XPScheme.h"

// A single-line edit with the flat two-pixel border of its colour variant, redrawn after every
// paint, every change of Enabled and every change of the scheme.
class TXPEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TXPEdit(QWidget* parent = nullptr);

    TXPScheme XPScheme() const { return scheme_; }
    // Stored also when equal; re-applies the scheme. Text and settings are kept.
    void SetXPScheme(TXPScheme value);
    std::uint8_t SchemeIndex() const { return schemeIndex_; }
    void ApplyXPScheme();
    // The desktop's theme changed: only an automatic scheme follows it.
    void ThemeChanged();

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    std::uint8_t schemeIndex_ = 0;
    TXPScheme scheme_ = xpBlue;
};

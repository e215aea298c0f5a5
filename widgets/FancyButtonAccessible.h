#pragma once
#include <QAccessibleWidget>

class TFancyButton;

// What assistive tools see of a fancy button: a push button named by its caption (without the
// accelerator's ampersand), with the press action and the pressed state besides the usual
// focusable, focused and enabled ones.
class FancyButtonAccessible : public QAccessibleWidget {
public:
    explicit FancyButtonAccessible(TFancyButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TFancyButton* Button() const;
};

// A caption as read aloud: single ampersands dropped, "&&" kept as one.
QString CaptionWithoutAmpersands(const QString& caption);

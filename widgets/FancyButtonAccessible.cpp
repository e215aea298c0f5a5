#include "widgets/FancyButtonAccessible.h"

#include <QMetaObject>
#include <QPointer>

#include "widgets/TFancyButton.h"

FancyButtonAccessible::FancyButtonAccessible(TFancyButton* button)
    : QAccessibleWidget(button, QAccessible::PushButton) {}

TFancyButton* FancyButtonAccessible::Button() const {
    return static_cast<TFancyButton*>(widget());
}

QString CaptionWithoutAmpersands(const QString& caption) {
    QString result;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
        result += caption[i];
    }
    return result;
}

QString FancyButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return CaptionWithoutAmpersands(QString::fromStdString(Button()->Caption()));
    if (t == QAccessible::Accelerator && !Button()->ShortcutKeys().isEmpty())
        return Button()->ShortcutKeys().toString(QKeySequence::NativeText);
    return QAccessibleWidget::text(t);
}

QAccessible::State FancyButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = Button()->Pressed();
    return state;
}

QStringList FancyButtonAccessible::actionNames() const {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

// The click may open a modal window; it runs from the event loop, so the tool's request is
// answered first instead of waiting for that window to close.
void FancyButtonAccessible::doAction(const QString& actionName) {
    if (actionName != pressAction()) return QAccessibleWidget::doAction(actionName);
    QPointer<TFancyButton> button(Button());
    QMetaObject::invokeMethod(
        button,
        [button] {
            if (button) button->Press();
        },
        Qt::QueuedConnection);
}

QStringList FancyButtonAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName != pressAction()) return QAccessibleWidget::keyBindingsForAction(actionName);
    QStringList keys{QStringLiteral("Space")};
    if (!Button()->ShortcutKeys().isEmpty())
        keys << Button()->ShortcutKeys().toString(QKeySequence::NativeText);
    return keys;
}

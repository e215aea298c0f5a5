#include "widgets/WidgetsAccessibility.h"

#include <QAccessibleWidget>

#include "widgets/FancyButtonAccessible.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPEdit.h"

namespace {

// Shown text: its name is the edit's accessible name, its value the text it holds.
class ShownTextAccessible : public QAccessibleWidget {
public:
    explicit ShownTextAccessible(TXPEdit* edit) : QAccessibleWidget(edit, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return static_cast<TXPEdit*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }
};

QAccessibleInterface* StyledControlsFactory(const QString&, QObject* object) {
    if (auto* button = qobject_cast<TFancyButton*>(object)) return new FancyButtonAccessible(button);
    auto* edit = qobject_cast<TXPEdit*>(object);
    if (edit && edit->isReadOnly()) return new ShownTextAccessible(edit);
    return nullptr;
}

}  // namespace

void InstallWidgetsAccessibility() {
    QAccessible::installFactory(StyledControlsFactory);
}

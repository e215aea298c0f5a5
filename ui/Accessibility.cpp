#include "ui/Accessibility.h"

#include <QAccessibleWidget>

#include "ui/TImage.h"
#include "widgets/WidgetsAccessibility.h"

namespace {

// An image box is a graphic; its description names the picture and its size.
class ImageAccessible : public QAccessibleWidget {
public:
    explicit ImageAccessible(TImage* image) : QAccessibleWidget(image, QAccessible::Graphic) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
            return static_cast<TImage*>(widget())->PictureDescription();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* ImageBoxFactory(const QString&, QObject* object) {
    if (auto* image = qobject_cast<TImage*>(object)) return new ImageAccessible(image);
    return nullptr;
}

}  // namespace

void InstallAccessibility() {
    InstallWidgetsAccessibility();
    QAccessible::installFactory(ImageBoxFactory);
}

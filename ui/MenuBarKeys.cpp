#include "ui/MenuBarKeys.h"

#include <QApplication>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include "widgets/FocusMark.h"

namespace {

class AltKeyMenuStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) return 1;
        return QProxyStyle::styleHint(hint, option, widget, answer);
    }

    // The entry chosen in keyboard mode (the bar holds the focus, no menu open yet) gets the mark;
    // a style may highlight only an open entry.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        QProxyStyle::drawControl(element, option, painter, widget);
        const bool chosen = (option->state & State_Selected) && !(option->state & State_Sunken);
        if (element == CE_MenuBarItem && chosen && widget && widget->hasFocus())
            PaintFocusMark(*painter, option->rect.adjusted(1, 1, -2, -2));
    }
};

}  // namespace

void LetAltReachMenuBar(QMenuBar& bar) {
    // A fresh instance of the application's own style: the proxy owns its base.
    auto* style = new AltKeyMenuStyle(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(&bar);
    bar.setStyle(style);
}

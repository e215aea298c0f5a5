#include "ui/DefaultItemDrawing.h"

#include <QPainter>

#include "widgets/QtColor.h"

DefaultItemDrawing::DefaultItemDrawing(QObject* parent, int itemHeight)
    : QStyledItemDelegate(parent), itemHeight_(itemHeight) {}

void DefaultItemDrawing::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    painter->save();
    bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, selected ? ToQColor(clHighlight) : option.palette.color(QPalette::Base));
    painter->setFont(option.font);
    painter->setPen(selected ? ToQColor(clHighlightText) : option.palette.color(QPalette::Text));
    QRect textArea = option.rect.adjusted(2, 0, 0, 0);
    painter->drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    if (option.state & QStyle::State_HasFocus) {
        QPen dotted(selected ? ToQColor(clHighlightText) : option.palette.color(QPalette::Text), 1,
                    Qt::DotLine);
        painter->setPen(dotted);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize DefaultItemDrawing::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(option.rect.width(), itemHeight_);
}

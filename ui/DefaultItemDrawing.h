#pragma once
#include <QStyledItemDelegate>

// The toolkit's own drawing of an owner-drawn list item when the list has no drawing handler: the
// item's rectangle filled with the list's background (the highlight colour when selected), the
// text on one line in the list's font, vertically centred, 2 pixels from the left edge, with no
// accelerator processing, and the focus rectangle on the focused item. Items are `itemHeight` high.
class DefaultItemDrawing : public QStyledItemDelegate {
    Q_OBJECT
public:
    DefaultItemDrawing(QObject* parent, int itemHeight);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int itemHeight_;
};

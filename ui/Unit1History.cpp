// The main window's edits and their undo and redo.
#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "core/ApplyEdit.h"
#include "core/TPicture.h"
#include "ui/Guarded.h"
#include "ui/TImage.h"
#include "ui/Unit1.h"
#include "ui/WorkingPictureEdit.h"

void TForm1::BuildHistoryItems() {
    UndoItem = N1->addAction(QStringLiteral("Отменить"));
    UndoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoItem = N1->addAction(QStringLiteral("Повторить"));
    RedoItem->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    N1->addSeparator();
    connect(UndoItem, &QAction::triggered, this, Guarded([this] { UndoItemClick(); }));
    connect(RedoItem, &QAction::triggered, this, Guarded([this] { RedoItemClick(); }));
    ShowHistoryState();
}

void TForm1::ShowHistoryState() {
    UndoItem->setEnabled(history_.CanUndo());
    RedoItem->setEnabled(history_.CanRedo());
}

void TForm1::EditPicture(const PictureEdit& edit) {
    SizeProbe->LetGoOfRows();
    std::unique_ptr<TBitmap> before;
    EditWorkingPicture(Image1->Picture(), [&](TPicture& picture) {
        before = EditHistory::Snapshot(picture.AsBitmap());
        try {
            ApplyEdit(picture, edit);
        } catch (...) {
            picture.AsBitmap().CopyFrom(before.get());
            throw;
        }
    });
    history_.Record(std::move(before));
    ShowHistoryState();
}

void TForm1::UndoItemClick() {
    if (!history_.CanUndo()) return;
    history_.Undo(Image1->Picture().AsBitmap());
    ShowHistoryState();
}

void TForm1::RedoItemClick() {
    if (!history_.CanRedo()) return;
    history_.Redo(Image1->Picture().AsBitmap());
    ShowHistoryState();
}

// The main window's edits and their undo and redo.
#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "core/ApplyEdit.h"
#include "core/TBitmap.h"
#include "core/TPicture.h"
#include "ui/Guarded.h"
#include "ui/TImage.h"
#include "ui/Unit1.h"
#include "ui/WorkingPictureEdit.h"

void TForm1::BuildHistoryItems() {
    UndoItem = N1->addAction(tr("Отменить"));
    UndoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoItem = N1->addAction(tr("Повторить"));
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
    bool selfInverse = false;
    EditWorkingPicture(Image1->Picture(), [&](TPicture& picture) {
        // Inverting 24-bit rows twice gives them back byte for byte; any other format is
        // converted to 24 bits first, which only the old pixels undo.
        selfInverse = edit.kind == PictureEdit::Invert && picture.AsBitmap().RasterFormat() == rf24Bit;
        if (selfInverse) {
            ApplyEdit(picture, edit);  // fails, if at all, before it writes a pixel
            return;
        }
        before = EditHistory::Snapshot(picture.AsBitmap());
        try {
            ApplyEdit(picture, edit);
        } catch (...) {
            picture.AsBitmap().CopyFrom(before.get());
            throw;
        }
    });
    if (selfInverse)
        history_.RecordSelfInverse(edit);
    else
        history_.Record(std::move(before));
    ShowHistoryState();
}

void TForm1::UndoItemClick() {
    if (!history_.CanUndo()) return;
    SizeProbe->LetGoOfRows();  // an edit made again writes the rows in place
    const TPictureUpdate update(Image1->Picture());
    history_.Undo(Image1->Picture());
    ShowHistoryState();
}

void TForm1::RedoItemClick() {
    if (!history_.CanRedo()) return;
    SizeProbe->LetGoOfRows();
    const TPictureUpdate update(Image1->Picture());
    history_.Redo(Image1->Picture());
    ShowHistoryState();
}

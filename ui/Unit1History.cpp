// The main window's edits and their undo and redo.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <optional>

#include "core/ApplyEdit.h"
#include "core/DrawCaption.h"
#include "core/RowBand.h"
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

namespace {

// Draws a caption, keeping as they were the rows it writes; a failure puts them back.
RowBand DrawCaptionKeepingRows(TBitmap& raster, const PictureEdit& edit) {
    PreparedCaption caption(raster, edit.text, edit.x, edit.y, edit.fontColor, edit.fontName, edit.fontSize);
    RowBand before(raster, caption.Top(), caption.Bottom());
    try {
        caption.Draw();
    } catch (...) {
        before.SwapWith(raster);
        throw;
    }
    return before;
}

}  // namespace

// Each edit is kept as cheaply as undoing it exactly allows: as the edit itself, as the rows it
// writes, or as the raster before it, which the edit leaves untouched or copies only where it
// cannot write a new one (see ShiftBrightness).
void TForm1::EditPicture(const PictureEdit& edit) {
    SizeProbe->LetGoOfRows();
    std::unique_ptr<TBitmap> before;
    std::optional<RowBand> rowsBefore;
    bool selfInverse = false;
    EditWorkingPicture(Image1->Picture(), [&](TPicture& picture) {
        TBitmap& raster = picture.AsBitmap();
        // Inverting 24-bit rows twice gives them back byte for byte; any other format is
        // converted to 24 bits first, which only the old pixels undo.
        selfInverse = edit.kind == PictureEdit::Invert && raster.RasterFormat() == rf24Bit;
        if (selfInverse) {
            ApplyEdit(picture, edit);  // fails, if at all, before it writes a pixel
            return;
        }
        if (edit.kind == PictureEdit::Caption && RowBand::CoversAWrite(raster)) {
            rowsBefore = DrawCaptionKeepingRows(raster, edit);
            return;
        }
        before = EditHistory::Snapshot(raster);
        try {
            ApplyEdit(picture, edit);
        } catch (...) {
            picture.AsBitmap().CopyFrom(before.get());
            throw;
        }
    });
    if (selfInverse)
        history_.RecordSelfInverse(edit);
    else if (rowsBefore)
        history_.RecordRows(std::move(*rowsBefore));
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

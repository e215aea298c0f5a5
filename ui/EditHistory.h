#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include "core/PictureEdit.h"
#include "core/RowBand.h"

class TBitmap;
class TPicture;

// The main window's undo and redo: the working raster as it was before each edit (and after each
// undone one), kept as copies that share the pixel store with the raster until one of them is
// changed, so a step costs nothing until the next edit writes. Brightness keeps a channel that
// would leave 0..255 unchanged, so only the pixels themselves, not an inverse edit, restore it. An
// edit that undoes itself exactly (inverting a 24-bit raster) is kept as the edit alone, and
// undone and redone by making it again: it then costs no copy of the pixels at all. An edit that
// writes only a band of rows (a caption) keeps just those rows, exchanged with the raster's own on
// undo and redo.
// At most `maxSteps` steps and `maxBytes` of pixels are kept; the oldest go first.
class EditHistory {
public:
    static constexpr std::size_t DefaultMaxSteps = 20;
    static constexpr std::uint64_t DefaultMaxBytes = std::uint64_t(1) << 30;

    explicit EditHistory(std::size_t maxSteps = DefaultMaxSteps, std::uint64_t maxBytes = DefaultMaxBytes);
    ~EditHistory();

    // A step for the edit just made: `before` is the raster it started from. Drops what could be
    // redone, then the oldest steps past the bounds.
    void Record(std::unique_ptr<TBitmap> before);
    // A step for an edit just made that, made again, brings the pixels back exactly.
    void RecordSelfInverse(const PictureEdit& edit);
    // A step for an edit just made that wrote only the rows `before` holds as they were.
    void RecordRows(RowBand before);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // The working picture (a raster) takes the pixels before the last edit; its own become the step
    // to redo.
    void Undo(TPicture& working);
    // The working picture takes the pixels after the last undone edit; its own become the step to
    // undo.
    void Redo(TPicture& working);
    void Clear();

    std::size_t Steps() const { return undo_.size() + redo_.size(); }
    std::uint64_t Bytes() const;  // pixel bytes held, each step's store counted in full

    // A copy of `working` sharing its pixel store.
    static std::unique_ptr<TBitmap> Snapshot(TBitmap& working);

private:
    struct Step {
        std::unique_ptr<TBitmap> pixels;         // the raster to go back to, or
        std::optional<PictureEdit> selfInverse;  // the edit to make again, or
        std::optional<RowBand> rows;             // the rows to exchange with the raster's
    };
    using Stack = std::deque<Step>;
    static void Restore(Stack& from, Stack& to, TPicture& working);
    void Push(Step step);

    std::size_t maxSteps_;
    std::uint64_t maxBytes_;
    Stack undo_;  // the newest at the back
    Stack redo_;
};

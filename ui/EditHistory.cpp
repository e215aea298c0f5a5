#include "ui/EditHistory.h"

#include "core/ApplyEdit.h"
#include "core/TBitmap.h"
#include "core/TPicture.h"

namespace {

std::uint64_t StoreBytes(const TBitmap* bitmap) {
    if (!bitmap) return 0;
    const TBitmapImage& image = *bitmap->Image();
    if (!image.handle) return 0;
    return image.handle->bits.size() + image.savedStream.size();
}

}  // namespace

EditHistory::EditHistory(std::size_t maxSteps, std::uint64_t maxBytes)
    : maxSteps_(maxSteps), maxBytes_(maxBytes) {}

EditHistory::~EditHistory() = default;

std::unique_ptr<TBitmap> EditHistory::Snapshot(TBitmap& working) {
    auto copy = std::make_unique<TBitmap>();
    copy->CopyFrom(&working);
    return copy;
}

void EditHistory::Record(std::unique_ptr<TBitmap> before) {
    Push({std::move(before), std::nullopt, std::nullopt});
}

void EditHistory::RecordSelfInverse(const PictureEdit& edit) {
    Push({nullptr, edit, std::nullopt});
}

void EditHistory::RecordRows(RowBand before) {
    Push({nullptr, std::nullopt, std::move(before)});
}

// What could be redone goes, then the oldest steps past the bounds.
void EditHistory::Push(Step step) {
    redo_.clear();
    undo_.push_back(std::move(step));
    while (!undo_.empty() && (Steps() > maxSteps_ || Bytes() > maxBytes_)) undo_.pop_front();
}

std::uint64_t EditHistory::Bytes() const {
    std::uint64_t total = 0;
    for (const Stack* stack : {&undo_, &redo_})
        for (const Step& step : *stack)
            total += StoreBytes(step.pixels.get()) + (step.rows ? step.rows->Bytes() : 0);
    return total;
}

// The step leaves `from` only once it is made: a failure (out of memory) keeps both stacks whole.
void EditHistory::Restore(Stack& from, Stack& to, TPicture& working) {
    if (from.empty()) return;
    Step& step = from.back();
    if (step.selfInverse) {
        ApplyEdit(working, *step.selfInverse);
        to.push_back(std::move(step));
    } else if (step.rows) {
        to.push_back(std::move(step));
        try {
            to.back().rows->SwapWith(working.AsBitmap());  // writes nothing when it throws
        } catch (...) {
            step = std::move(to.back());
            to.pop_back();
            throw;
        }
    } else {
        TBitmap& raster = working.AsBitmap();
        to.push_back({Snapshot(raster), std::nullopt, std::nullopt});
        raster.CopyFrom(step.pixels.get());
    }
    from.pop_back();
}

void EditHistory::Undo(TPicture& working) {
    Restore(undo_, redo_, working);
}

void EditHistory::Redo(TPicture& working) {
    Restore(redo_, undo_, working);
}

void EditHistory::Clear() {
    undo_.clear();
    redo_.clear();
}

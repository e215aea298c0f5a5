#include "ui/EditHistory.h"

#include "core/TBitmap.h"

namespace {

std::uint64_t StoreBytes(const TBitmap& bitmap) {
    const TBitmapImage& image = *bitmap.Image();
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
    redo_.clear();
    undo_.push_back(std::move(before));
    DropOldest();
}

void EditHistory::DropOldest() {
    while (!undo_.empty() && (Steps() > maxSteps_ || Bytes() > maxBytes_)) undo_.pop_front();
}

std::uint64_t EditHistory::Bytes() const {
    std::uint64_t total = 0;
    for (const Stack* stack : {&undo_, &redo_})
        for (const auto& step : *stack) total += StoreBytes(*step);
    return total;
}

void EditHistory::Restore(Stack& from, Stack& to, TBitmap& working) {
    if (from.empty()) return;
    to.push_back(Snapshot(working));
    std::unique_ptr<TBitmap> step = std::move(from.back());
    from.pop_back();
    working.CopyFrom(step.get());
}

void EditHistory::Undo(TBitmap& working) {
    Restore(undo_, redo_, working);
}

void EditHistory::Redo(TBitmap& working) {
    Restore(redo_, undo_, working);
}

void EditHistory::Clear() {
    undo_.clear();
    redo_.clear();
}

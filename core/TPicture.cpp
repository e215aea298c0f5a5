#include "core/TPicture.h"

TBitmap& TPicture::AsBitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get())) return *bitmap;
    auto bitmap = std::make_unique<TBitmap>();
    TBitmap& result = *bitmap;
    InstallListeners(result);
    graphic_ = std::move(bitmap);
    Changed();
    return result;
}

// The copy is complete before the old graphic goes, so the held graphic itself may be given.
void TPicture::ReplaceGraphic(TGraphic* graphic) {
    if (!graphic) {
        graphic_.reset();
        Changed();
        return;
    }
    std::unique_ptr<TGraphic> copy = graphic->NewInstance();
    copy->CopyFrom(graphic);
    InstallListeners(*copy);
    graphic_ = std::move(copy);
    Changed();
}

void TPicture::AdoptGraphic(std::unique_ptr<TGraphic> graphic) {
    if (graphic) InstallListeners(*graphic);
    graphic_ = std::move(graphic);
    Changed();
}

void TPicture::Changed() {
    if (updates_ > 0) {
        changeOwed_ = true;
        return;
    }
    if (Notifier) Notifier(*this);
    if (OnChange) OnChange(*this);
}

void TPicture::EndUpdate() {
    if (updates_ == 0 || --updates_ > 0 || !changeOwed_) return;
    changeOwed_ = false;
    Changed();
}

void TPicture::InstallListeners(TGraphic& graphic) {
    graphic.OnChange = [this](TGraphic&) { Changed(); };
    graphic.OnProgress = [this](TGraphic& sender, TProgressStage stage, std::uint8_t percent, bool redraw,
                                const TRect& rect, const std::string& message) {
        if (OnProgress) OnProgress(sender, stage, percent, redraw, rect, message);
    };
}

#pragma once
#include <functional>
#include <memory>

#include "core/TBitmap.h"
#include "core/TGraphic.h"

// The holder of one graphic of any kind, owned by an image box. Every change of the held graphic
// reaches OnChange (the box repaints) and the notifier.
class TPicture {
public:
    TPicture() = default;
    ~TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    TGraphic* HeldGraphic() const { return graphic_.get(); }
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // The held TBitmap; any other content is replaced by a new empty TBitmap (and lost).
    TBitmap& AsBitmap();
    // Holds a copy of `graphic` (made by its own class); the given graphic may be the held one.
    // None frees the held graphic.
    void ReplaceGraphic(TGraphic* graphic);
    // Holds `graphic` itself (already read), installs the listeners and notifies a change.
    void AdoptGraphic(std::unique_ptr<TGraphic> graphic);

    std::function<void(TPicture&)> OnChange;
    std::function<void(TPicture&)> Notifier;
    TProgressEvent OnProgress;

    // Sends the change notices, or while an update is open only notes that one is owed.
    void Changed();
    // Hold back the change notices until the outermost update ends, which sends one if any came:
    // an edit that writes pixel by pixel then repaints the box once, not once per pixel.
    void BeginUpdate() { ++updates_; }
    void EndUpdate();

private:
    void InstallListeners(TGraphic& graphic);

    std::unique_ptr<TGraphic> graphic_;
    int updates_ = 0;
    bool changeOwed_ = false;
};

// One update of a picture for the length of a scope.
class TPictureUpdate {
public:
    explicit TPictureUpdate(TPicture& picture) : picture_(picture) { picture_.BeginUpdate(); }
    ~TPictureUpdate() { picture_.EndUpdate(); }
    TPictureUpdate(const TPictureUpdate&) = delete;
    TPictureUpdate& operator=(const TPictureUpdate&) = delete;

private:
    TPicture& picture_;
};

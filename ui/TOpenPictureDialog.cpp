#include "ui/TOpenPictureDialog.h"

bool TOpenPictureDialog::RunDialog() {
    FileDialogRequest request{Filter, filterIndex_, fileName_, [this](int index) { liveFilterIndex_ = index; }};
    liveFilterIndex_ = filterIndex_;
    std::optional<FileDialogResult> result;
    try {
        result = Execute(request);
    } catch (...) {
        liveFilterIndex_.reset();
        throw;
    }
    liveFilterIndex_.reset();
    if (!result) return false;
    fileName_ = result->fileName;
    filterIndex_ = result->filterIndex;
    return true;
}

std::optional<FileDialogResult> TOpenPictureDialog::Execute(const FileDialogRequest& request) {
    return Dialogs().RunOpenDialog(request);
}

#include "ui/TOpenPictureDialog.h"

bool TOpenPictureDialog::RunDialog() {
    FileDialogRequest request;
    request.filter = Filter;
    request.filterIndex = filterIndex_;
    request.fileName = fileName_;
    request.filterChanged = [this](int index) { liveFilterIndex_ = index; };
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

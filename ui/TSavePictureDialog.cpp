#include "ui/TSavePictureDialog.h"

std::optional<FileDialogResult> TSavePictureDialog::Execute(const FileDialogRequest& request) {
    return Dialogs().RunSaveDialog(request);
}

#pragma once
#include "ui/TOpenPictureDialog.h"

// The same dialog, run as the save variant: it neither asks before replacing a file nor adds an
// extension to the name typed.
class TSavePictureDialog : public TOpenPictureDialog {
protected:
    std::optional<FileDialogResult> Execute(const FileDialogRequest& request) override;
    QFileDialog::AcceptMode Mode() const override { return QFileDialog::AcceptSave; }
};

#pragma once
#include <optional>
#include <string>

#include "ui/DialogSeam.h"

// The picture open dialog as the main window uses it: a filter, a 1-based filter index and the
// chosen name. While a run is open, FilterIndex() reads the type currently picked in the dialog;
// after a cancelled run it reads the last confirmed value again.
class TOpenPictureDialog {
public:
    virtual ~TOpenPictureDialog() = default;

    std::string Filter;

    // True when the user confirms a name; then FileName() and FilterIndex() take the dialog's answer.
    bool RunDialog();

    int FilterIndex() const { return liveFilterIndex_ ? *liveFilterIndex_ : filterIndex_; }
    void SetFilterIndex(int value) { filterIndex_ = value; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value) { fileName_ = value; }

protected:
    virtual std::optional<FileDialogResult> Execute(const FileDialogRequest& request);

private:
    int filterIndex_ = 1;
    std::optional<int> liveFilterIndex_;
    std::string fileName_;
};

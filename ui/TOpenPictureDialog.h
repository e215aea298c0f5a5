#pragma once
#include <QFileDialog>
#include <memory>
#include <optional>
#include <string>

#include "ui/DialogSeam.h"

class TPicturePreviewArea;

// The picture open dialog as the main window uses it: Qt's own file dialog extended on the right
// by a preview of the selected picture. It keeps a filter, a 1-based filter index and the chosen
// name. While a run is open, FilterIndex() and FileName() read what is currently picked in the
// dialog; otherwise (after a cancelled run too) the last confirmed values.
class TOpenPictureDialog {
public:
    TOpenPictureDialog();
    virtual ~TOpenPictureDialog();
    TOpenPictureDialog(const TOpenPictureDialog&) = delete;
    TOpenPictureDialog& operator=(const TOpenPictureDialog&) = delete;

    std::string Filter;

    // True when the user confirms a name; then FileName() and FilterIndex() take the dialog's answer.
    bool RunDialog();

    int FilterIndex() const { return open_ ? liveFilterIndex_ : filterIndex_; }
    void SetFilterIndex(int value) { filterIndex_ = value; }
    std::string FileName() const;
    void SetFileName(const std::string& value) { fileName_ = value; }
    int LiveFilterIndex() const { return liveFilterIndex_; }
    std::string LastPreviewed() const;

    // The dialog window and its preview parts, made on the first run and kept for the next ones.
    QFileDialog* Window() const { return window_.get(); }
    TPicturePreviewArea* PreviewArea() const { return previewArea_; }

protected:
    virtual std::optional<FileDialogResult> Execute(const FileDialogRequest& request);
    virtual QFileDialog::AcceptMode Mode() const { return QFileDialog::AcceptOpen; }

private:
    std::optional<FileDialogResult> ShowOwnDialog(const FileDialogRequest& request);
    void MakeWindow();
    void Prepare(const FileDialogRequest& request);
    void FitColumns();
    // `path` when the chosen type's patterns match its name, else none.
    std::string OfChosenType(const QString& path) const;
    // The name in the name box, in the folder shown, when it is of the chosen type.
    std::string NameBoxPath() const;

    int filterIndex_ = 1;
    int liveFilterIndex_ = 1;
    bool open_ = false;
    bool preparing_ = false;
    std::string fileName_;
    std::unique_ptr<QFileDialog> window_;
    TPicturePreviewArea* previewArea_ = nullptr;  // owned by the window
    QStringList nameFilters_;
    std::function<void(int)> filterChanged_;
};

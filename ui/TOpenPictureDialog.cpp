#include "ui/TOpenPictureDialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QGridLayout>
#include <QToolTip>

#include "ui/PictureFilter.h"
#include "ui/TPicturePreviewArea.h"

TOpenPictureDialog::TOpenPictureDialog() = default;
TOpenPictureDialog::~TOpenPictureDialog() = default;

std::string TOpenPictureDialog::FileName() const {
    if (open_ && window_) {
        const QStringList chosen = window_->selectedFiles();
        return chosen.isEmpty() ? std::string() : chosen.front().toStdString();
    }
    return fileName_;
}

std::string TOpenPictureDialog::LastPreviewed() const {
    return previewArea_ ? previewArea_->LastPreviewed() : std::string();
}

bool TOpenPictureDialog::RunDialog() {
    FileDialogRequest request{Filter, filterIndex_, fileName_, [this](int index) { liveFilterIndex_ = index; }, {}};
    request.show = [this, &request] { return ShowOwnDialog(request); };
    liveFilterIndex_ = filterIndex_;
    open_ = true;
    std::optional<FileDialogResult> result;
    try {
        result = Execute(request);
    } catch (...) {
        open_ = false;
        throw;
    }
    open_ = false;
    if (!result) return false;
    fileName_ = result->fileName;
    filterIndex_ = result->filterIndex;
    return true;
}

std::optional<FileDialogResult> TOpenPictureDialog::Execute(const FileDialogRequest& request) {
    return Dialogs().RunOpenDialog(request);
}

void TOpenPictureDialog::MakeWindow() {
    window_ = std::make_unique<QFileDialog>();
    window_->setOption(QFileDialog::DontUseNativeDialog);
    window_->setOption(QFileDialog::DontConfirmOverwrite);
    window_->setAcceptMode(Mode());
    window_->setFileMode(QFileDialog::AnyFile);  // names of files that do not exist are accepted
    window_->setDefaultSuffix(QString());        // and no extension is added
    previewArea_ = new TPicturePreviewArea(window_.get());
    // The area takes a column of its own to the right of all the dialog's controls.
    if (auto* grid = qobject_cast<QGridLayout*>(window_->layout()))
        grid->addWidget(previewArea_, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(window_.get(), &QFileDialog::currentChanged, previewArea_, [this](const QString& path) {
        if (!preparing_) previewArea_->RefreshPreview(path.toStdString());
    });
    QObject::connect(window_.get(), &QFileDialog::filterSelected, previewArea_, [this](const QString& chosen) {
        const int index = int(nameFilters_.indexOf(chosen)) + 1;
        if (index > 0 && filterChanged_) filterChanged_(index);
    });
}

void TOpenPictureDialog::Prepare(const FileDialogRequest& request) {
    // Restoring the filter and the last name is no selection of the user's: the label keeps the
    // text it had at the end of the previous run.
    preparing_ = true;
    nameFilters_ = NameFiltersFromFilter(request.filter);
    filterChanged_ = request.filterChanged;
    window_->setNameFilters(nameFilters_);
    if (request.filterIndex >= 1 && request.filterIndex <= nameFilters_.size())
        window_->selectNameFilter(nameFilters_[request.filterIndex - 1]);
    if (!request.fileName.empty()) window_->selectFile(QString::fromStdString(request.fileName));
    preparing_ = false;
    previewArea_->PlacePreviewArea();
}

std::optional<FileDialogResult> TOpenPictureDialog::ShowOwnDialog(const FileDialogRequest& request) {
    if (!window_) MakeWindow();
    Prepare(request);
    const int answer = window_->exec();
    filterChanged_ = nullptr;
    QToolTip::hideText();
    // The name box's completion list is a window of its own; Return can close the dialog under it.
    for (QCompleter* completer : window_->findChildren<QCompleter*>()) completer->popup()->hide();
    const QStringList chosen = window_->selectedFiles();
    if (answer != QDialog::Accepted || chosen.isEmpty()) return std::nullopt;
    const int index = int(nameFilters_.indexOf(window_->selectedNameFilter())) + 1;
    return FileDialogResult{chosen.front().toStdString(), index > 0 ? index : liveFilterIndex_};
}

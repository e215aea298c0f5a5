#include "ui/TOpenPictureDialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QToolTip>
#include <QTreeView>

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
    FileDialogRequest request{
        Filter, filterIndex_, fileName_, [this](int index) { liveFilterIndex_ = index; }, {}};
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
    // The preview follows the selection, the typed name and the chosen type.
    QObject::connect(window_.get(), &QFileDialog::currentChanged, previewArea_, [this](const QString& path) {
        if (!preparing_) previewArea_->RefreshPreview(path.toStdString());
    });
    if (auto* nameBox = window_->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        QObject::connect(nameBox, &QLineEdit::textChanged, previewArea_, [this] {
            if (!preparing_) previewArea_->RefreshPreview(NameBoxPath());
        });
    QObject::connect(window_.get(), &QFileDialog::filterSelected, previewArea_,
                     [this](const QString& chosen) {
                         const int index = int(nameFilters_.indexOf(chosen)) + 1;
                         if (index > 0 && filterChanged_) filterChanged_(index);
                         if (!preparing_) previewArea_->RefreshPreview(NameBoxPath());
                     });
    FitColumns();
}

// Wide enough at first for every column of the detail list beside the folder list and the
// preview: a longish name, then size, type and date, each as wide as its contents; the user may
// still resize the dialog.
void TOpenPictureDialog::FitColumns() {
    auto* details = window_->findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!details) return;
    QHeaderView* header = details->header();
    const QFontMetrics metrics(details->font());
    int contents = metrics.horizontalAdvance(QStringLiteral("a rather long picture name.jpeg"));
    const QString widest[] = {
        QStringLiteral("1023.9 MiB"), QStringLiteral("Windows BMP image"),
        QLocale().toString(QDateTime(QDate(2000, 12, 28), QTime(23, 58)), QLocale::ShortFormat)};
    for (int column = 1; column < header->count(); ++column) {
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        const QString title =
            details->model() ? details->model()->headerData(column, Qt::Horizontal).toString() : "";
        const QString& sample = widest[std::min<std::size_t>(column - 1, std::size(widest) - 1)];
        contents += std::max(metrics.horizontalAdvance(sample), metrics.horizontalAdvance(title)) + 24;
    }
    const int sideBar = 120, frame = 80;
    const int width = sideBar + contents + TPicturePreviewArea::PanelWidth + frame;
    window_->resize(std::max(width, window_->sizeHint().width()), std::max(window_->height(), 420));
}

std::string TOpenPictureDialog::OfChosenType(const QString& path) const {
    if (path.isEmpty()) return {};
    const QStringList patterns = PatternsOfNameFilter(window_->selectedNameFilter());
    if (!patterns.isEmpty() && !QDir::match(patterns, QFileInfo(path).fileName())) return {};
    return path.toStdString();
}

std::string TOpenPictureDialog::NameBoxPath() const {
    const auto* nameBox = window_->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QString typed = nameBox ? nameBox->text().trimmed() : QString();
    if (typed.isEmpty()) return {};
    return OfChosenType(window_->directory().absoluteFilePath(typed));
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
    // The last confirmed name, or none: a name typed in a cancelled run is not kept.
    window_->selectFile(QString::fromStdString(request.fileName));
    if (request.fileName.empty())
        if (auto* nameBox = window_->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) nameBox->clear();
    preparing_ = false;
    previewArea_->PlacePreviewArea();
    previewArea_->RefreshPreview(NameBoxPath());
}

std::optional<FileDialogResult> TOpenPictureDialog::ShowOwnDialog(const FileDialogRequest& request) {
    if (!window_) MakeWindow();
    Prepare(request);
    const int answer = window_->exec();
    filterChanged_ = nullptr;
    previewArea_->ReleasePicture();
    QToolTip::hideText();
    // The name box's completion list is a window of its own; Return can close the dialog under it.
    for (QCompleter* completer : window_->findChildren<QCompleter*>()) completer->popup()->hide();
    const QStringList chosen = window_->selectedFiles();
    if (answer != QDialog::Accepted || chosen.isEmpty()) return std::nullopt;
    const int index = int(nameFilters_.indexOf(window_->selectedNameFilter())) + 1;
    return FileDialogResult{chosen.front().toStdString(), index > 0 ? index : liveFilterIndex_};
}

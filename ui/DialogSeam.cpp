#include "ui/DialogSeam.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "ui/FontChoiceWindow.h"

namespace {

DialogHandler*& Installed() {
    static DialogHandler* handler = nullptr;
    return handler;
}

// "Bitmaps (*.bmp)|*.bmp" becomes Qt's name filter list "Bitmaps (*.bmp)".
QStringList NameFilters(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) result << parts[i];
    return result;
}

std::optional<FileDialogResult> RunFileDialog(const FileDialogRequest& request,
                                              QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);  // names of files that do not exist are accepted
    QStringList filters = NameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
    QObject::connect(&dialog, &QFileDialog::filterSelected, [&](const QString& chosen) {
        if (request.filterChanged) request.filterChanged(int(filters.indexOf(chosen)) + 1);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FileDialogResult{dialog.selectedFiles().front().toStdString(),
                            int(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

}  // namespace

void DialogHandler::ShowError(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

std::optional<FileDialogResult> DialogHandler::RunOpenDialog(const FileDialogRequest& request) {
    if (request.show) return request.show();
    return RunFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<FileDialogResult> DialogHandler::RunSaveDialog(const FileDialogRequest& request) {
    if (request.show) return request.show();
    return RunFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<FontChoice> DialogHandler::RunFontDialog(const FontChoice& current) {
    return TFontChoiceWindow::Choose(current, QApplication::activeWindow());
}

DialogHandler& Dialogs() {
    static DialogHandler real;
    return Installed() ? *Installed() : real;
}

void SetDialogHandler(DialogHandler* handler) {
    Installed() = handler;
}

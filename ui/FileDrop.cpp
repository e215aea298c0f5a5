#include "ui/FileDrop.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

std::optional<std::string> DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return std::nullopt;
    const QString path = urls.front().toLocalFile();
    if (path.isEmpty()) return std::nullopt;
    // The file system's own bytes for the name, as the file dialog hands them over.
    return QFile::encodeName(path).toStdString();
}

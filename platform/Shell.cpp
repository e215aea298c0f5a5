#include "platform/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QString>
#include <QUrl>

namespace platform {

namespace {
std::function<void(const std::string&)>& Hook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}
// The opener runs in a folder of its own: a relative name would reach it as "file:name", so the
// name is resolved against the program's working folder first. An empty name stays empty.
std::string AbsolutePath(const std::string& path) {
    if (path.empty()) return path;
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
}

}  // namespace

void ShellExecute(const std::string& path) {
    const std::string absolute = AbsolutePath(path);
    if (Hook()) {
        Hook()(absolute);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(absolute)));
}

void SetShellExecuteHook(std::function<void(const std::string&)> hook) {
    Hook() = std::move(hook);
}

}  // namespace platform

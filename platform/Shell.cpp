#include "platform/Shell.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace platform {

namespace {
std::function<void(const std::string&)>& Hook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}
}  // namespace

void ShellExecute(const std::string& path) {
    if (Hook()) {
        Hook()(path);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void SetShellExecuteHook(std::function<void(const std::string&)> hook) {
    Hook() = std::move(hook);
}

}  // namespace platform

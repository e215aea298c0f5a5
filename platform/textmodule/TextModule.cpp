// The text module: the toolkit's font engine behind a few C entry points, so a program can load
// the toolkit only when it draws text. Everything else in the module is hidden.
#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "platform/DeviceContext.h"
#include "platform/FontSubstitutes.h"
#include "platform/textmodule/TextModuleAbi.h"

namespace {

std::unique_ptr<QGuiApplication> application;

// The toolkit's start-up remarks (such as a missing runtime folder) would read as failures to a
// script reading the error stream.
void KeepToolkitQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void BrelvikTextStart(int* argc, char** argv) {
    if (application || QGuiApplication::instance()) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(KeepToolkitQuiet);
    application = std::make_unique<QGuiApplication>(*argc, argv);
    platform::InstallFontSubstitutes();  // captions look as the window draws them
}

__attribute__((visibility("default"))) void BrelvikTextStop() { application.reset(); }

__attribute__((visibility("default"))) void BrelvikTextExtent(const platform::DeviceContext* context,
                                                              const char* utf8, std::size_t length, int* cx,
                                                              int* cy) {
    const platform::TextSize size = context->GetTextExtent(std::string(utf8, length));
    *cx = size.cx, *cy = size.cy;
}

__attribute__((visibility("default"))) void BrelvikTextOut(platform::DeviceContext* context, int x, int y,
                                                           const char* utf8, std::size_t length) {
    context->ExtTextOut(x, y, std::string(utf8, length));
}

}  // extern "C"

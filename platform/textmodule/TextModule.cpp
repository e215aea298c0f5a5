// The text module: the toolkit's font engine behind a few C entry points, so a program can load
// the toolkit only when it draws text. Everything else in the module is hidden.
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <type_traits>

#include "platform/FontSubstitutes.h"
#include "platform/QtTextEngine.h"
#include "platform/textmodule/TextModuleAbi.h"

#define BRELVIK_EXPORT __attribute__((visibility("default")))

namespace {

std::unique_ptr<QGuiApplication> application;
// The toolkit keeps references to both for the life of the application.
char programName[] = "brelvik-text";
char* arguments[] = {programName, nullptr};
int argumentCount = 1;
platform::QtTextEngine engine;

// The toolkit's start-up remarks (such as a missing runtime folder) would read as failures to a
// script reading the error stream.
void KeepToolkitQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

platform::TextFont FontOf(const BrelvikTextFont& font) {
    return platform::TextFont{font.face,        font.pixelHeight,    font.bold != 0,
                              font.italic != 0, font.underline != 0, font.strikeOut != 0};
}

}  // namespace

extern "C" {

BRELVIK_EXPORT void BrelvikTextStart() {
    if (application || QGuiApplication::instance()) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(KeepToolkitQuiet);
    application = std::make_unique<QGuiApplication>(argumentCount, arguments);
    platform::InstallFontSubstitutes();  // captions look as the window draws them
}

BRELVIK_EXPORT void BrelvikTextStop() {
    application.reset();
}

BRELVIK_EXPORT int BrelvikTextMeasure(const BrelvikTextFont* font, const char* utf8, std::size_t length,
                                      int* cx, int* cy) {
    try {
        const platform::TextSize size = engine.Measure(FontOf(*font), std::string(utf8, length));
        *cx = size.cx, *cy = size.cy;
        return 1;
    } catch (...) {
        return 0;
    }
}

BRELVIK_EXPORT int BrelvikTextRender(const BrelvikTextFont* font, const char* utf8, std::size_t length, int x,
                                     int y, int rasterWidth, int rasterHeight, BrelvikTextMask* mask) {
    *mask = BrelvikTextMask{0, 0, 0, 0, nullptr};
    try {
        const platform::TextMask drawn = engine.Render(FontOf(*font), std::string(utf8, length),
                                                       platform::TPoint{x, y}, rasterWidth, rasterHeight);
        if (drawn.covered.empty()) return 1;
        auto* covered = static_cast<unsigned char*>(std::malloc(drawn.covered.size()));
        if (!covered) return 0;
        std::memcpy(covered, drawn.covered.data(), drawn.covered.size());
        *mask = BrelvikTextMask{drawn.area.Left, drawn.area.Top, drawn.area.Width(), drawn.area.Height(),
                                covered};
        return 1;
    } catch (...) {
        return 0;
    }
}

BRELVIK_EXPORT void BrelvikTextRelease(BrelvikTextMask* mask) {
    std::free(mask->covered);
    mask->covered = nullptr;
}

}  // extern "C"

// The loader calls these through the pointer types of the interface header.
static_assert(std::is_same_v<decltype(&BrelvikTextStart), BrelvikTextStartFn>);
static_assert(std::is_same_v<decltype(&BrelvikTextStop), BrelvikTextStopFn>);
static_assert(std::is_same_v<decltype(&BrelvikTextMeasure), BrelvikTextMeasureFn>);
static_assert(std::is_same_v<decltype(&BrelvikTextRender), BrelvikTextRenderFn>);
static_assert(std::is_same_v<decltype(&BrelvikTextRelease), BrelvikTextReleaseFn>);

#include "cli/ModuleTextEngine.h"

#include <dlfcn.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

#include "platform/textmodule/TextModuleAbi.h"

// Where the module is installed, relative to the installation prefix.
#ifndef BRELVIK_MODULE_DIR
#define BRELVIK_MODULE_DIR "lib/brelvik"
#endif

namespace {

struct TextModule {
    BrelvikTextStartFn start = nullptr;
    BrelvikTextStopFn stop = nullptr;
    BrelvikTextMeasureFn measure = nullptr;
    BrelvikTextRenderFn render = nullptr;
    BrelvikTextReleaseFn release = nullptr;
};

std::string ProgramFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return ".";
    const std::string program(path, std::size_t(length));
    const auto slash = program.rfind('/');
    return slash == std::string::npos ? "." : program.substr(0, slash);
}

void* OpenModule() {
    const std::string folder = ProgramFolder();
    for (const std::string& candidate :
         {folder + "/" BRELVIK_TEXT_MODULE, folder + "/../" BRELVIK_MODULE_DIR "/" BRELVIK_TEXT_MODULE}) {
        if (void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
    }
    const char* reason = dlerror();
    throw std::runtime_error(std::string("cannot load the text module " BRELVIK_TEXT_MODULE) +
                             (reason ? std::string(": ") + reason : std::string()));
}

template <typename Fn>
Fn Entry(void* handle, const char* name) {
    if (void* entry = dlsym(handle, name)) return reinterpret_cast<Fn>(entry);
    throw std::runtime_error(std::string("the text module lacks ") + name);
}

// Loaded once and kept for the life of the process.
const TextModule& Module() {
    static const TextModule module = [] {
        void* handle = OpenModule();
        return TextModule{Entry<BrelvikTextStartFn>(handle, "BrelvikTextStart"),
                          Entry<BrelvikTextStopFn>(handle, "BrelvikTextStop"),
                          Entry<BrelvikTextMeasureFn>(handle, "BrelvikTextMeasure"),
                          Entry<BrelvikTextRenderFn>(handle, "BrelvikTextRender"),
                          Entry<BrelvikTextReleaseFn>(handle, "BrelvikTextRelease")};
    }();
    return module;
}

BrelvikTextFont FontOf(const platform::TextFont& font) {
    return BrelvikTextFont{font.faceName.c_str(), font.pixelHeight, font.bold,
                           font.italic,           font.underline,   font.strikeOut};
}

}  // namespace

ModuleTextEngine::~ModuleTextEngine() {
    if (started_) Module().stop();
}

void ModuleTextEngine::Start() {
    if (started_) return;
    Module().start();
    started_ = true;
}

platform::TextSize ModuleTextEngine::Measure(const platform::TextFont& font, const std::string& utf8Text) {
    Start();
    const BrelvikTextFont request = FontOf(font);
    platform::TextSize size;
    if (!Module().measure(&request, utf8Text.data(), utf8Text.size(), &size.cx, &size.cy))
        throw std::runtime_error("the text module could not measure the text");
    return size;
}

platform::TextMask ModuleTextEngine::Render(const platform::TextFont& font, const std::string& utf8Text,
                                            platform::TPoint at, int rasterWidth, int rasterHeight) {
    Start();
    const BrelvikTextFont request = FontOf(font);
    BrelvikTextMask drawn{};
    if (!Module().render(&request, utf8Text.data(), utf8Text.size(), at.X, at.Y, rasterWidth, rasterHeight,
                         &drawn))
        throw std::runtime_error("the text module could not draw the text");
    platform::TextMask mask;
    if (!drawn.covered) return mask;
    if (drawn.width > 0 && drawn.height > 0) {
        mask.area =
            platform::TRect{drawn.left, drawn.top, drawn.left + drawn.width, drawn.top + drawn.height};
        mask.covered.assign(drawn.covered,
                            drawn.covered + std::size_t(drawn.width) * std::size_t(drawn.height));
    }
    Module().release(&drawn);
    return mask;
}

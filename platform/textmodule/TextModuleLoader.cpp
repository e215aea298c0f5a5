// Text output and the font engine's start for a program built without the toolkit: both go
// through the text module, loaded on first need from beside the program or its installed module folder.
#include <dlfcn.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

#include "platform/DeviceContext.h"
#include "platform/TextRuntime.h"
#include "platform/textmodule/TextModuleAbi.h"

// Where the module is installed, relative to the installation prefix.
#ifndef BRELVIK_MODULE_DIR
#define BRELVIK_MODULE_DIR "lib/brelvik"
#endif

namespace platform {

namespace {

struct TextModule {
    BrelvikTextStartFn start = nullptr;
    BrelvikTextStopFn stop = nullptr;
    BrelvikTextExtentFn extent = nullptr;
    BrelvikTextOutFn out = nullptr;
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

// Loaded once and kept for the life of the process (the toolkit does not unload cleanly).
const TextModule& Module() {
    static const TextModule module = [] {
        void* handle = OpenModule();
        return TextModule{Entry<BrelvikTextStartFn>(handle, "BrelvikTextStart"),
                          Entry<BrelvikTextStopFn>(handle, "BrelvikTextStop"),
                          Entry<BrelvikTextExtentFn>(handle, "BrelvikTextExtent"),
                          Entry<BrelvikTextOutFn>(handle, "BrelvikTextOut")};
    }();
    return module;
}

}  // namespace

TextSize DeviceContext::GetTextExtent(const std::string& utf8Text) const {
    TextSize size;
    Module().extent(this, utf8Text.data(), utf8Text.size(), &size.cx, &size.cy);
    return size;
}

void DeviceContext::ExtTextOut(int x, int y, const std::string& utf8Text) {
    Module().out(this, x, y, utf8Text.data(), utf8Text.size());
}

TextRuntime::TextRuntime(int& argc, char** argv) { Module().start(&argc, argv); }

TextRuntime::~TextRuntime() { Module().stop(); }

}  // namespace platform

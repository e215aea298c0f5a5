#include "platform/TextEngine.h"

#include <stdexcept>

namespace platform {

namespace {

TextEngine* installed = nullptr;

}  // namespace

void InstallTextEngine(TextEngine& engine) {
    installed = &engine;
}

TextEngine& InstalledTextEngine() {
    if (!installed) throw std::logic_error("text output needs an installed text engine");
    return *installed;
}

}  // namespace platform

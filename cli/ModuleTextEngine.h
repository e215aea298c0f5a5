#pragma once
#include "platform/TextEngine.h"

// The text engine of brelvik-cli: the toolkit's font engine in the text module, loaded and started
// on first use, so that runs that draw no text start without the toolkit's libraries. The module
// comes from beside the program or from its installed module folder; once loaded it stays for the
// life of the process (the toolkit does not unload cleanly), and the toolkit is not to be forked
// once started.
class ModuleTextEngine final : public platform::TextEngine {
public:
    ModuleTextEngine() = default;
    ~ModuleTextEngine() override;  // stops the toolkit if this engine started it
    ModuleTextEngine(const ModuleTextEngine&) = delete;
    ModuleTextEngine& operator=(const ModuleTextEngine&) = delete;

    // Loads the module and starts its font engine now, if not yet done. Throws std::runtime_error
    // when the module cannot be loaded.
    void Start();

    platform::TextSize Measure(const platform::TextFont& font, const std::string& utf8Text) override;
    platform::TextMask Render(const platform::TextFont& font, const std::string& utf8Text,
                              platform::TPoint at, int rasterWidth, int rasterHeight) override;

private:
    bool started_ = false;
};

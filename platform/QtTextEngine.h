#pragma once
#include "platform/TextEngine.h"

namespace platform {

// Text on the toolkit's font engine. Fonts need a running QGuiApplication (or QApplication);
// without one, measuring and rendering throw std::logic_error.
//
// Face names resolve through fontconfig. The default face "MS Sans Serif" does not exist here;
// fontconfig files it under sans-serif and a machine with our font packages gets "DejaVu Sans"
// (fc-match "MS Sans Serif").
class QtTextEngine final : public TextEngine {
public:
    TextSize Measure(const TextFont& font, const std::string& utf8Text) override;
    TextMask Render(const TextFont& font, const std::string& utf8Text, TPoint at, int rasterWidth,
                    int rasterHeight) override;
};

// Makes the toolkit's engine the one DeviceContext draws with, for a program that runs the toolkit
// in-process: the windows, and every test program that draws text.
inline void InstallQtTextEngine() {
    static QtTextEngine engine;
    InstallTextEngine(engine);
}

}  // namespace platform

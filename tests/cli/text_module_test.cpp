// brelvik-cli's text engine loads the toolkit's engine from the text module; in a process that runs
// the toolkit already, both must measure and render alike, whatever crosses the module's interface.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/ModuleTextEngine.h"
#include "platform/QtTextEngine.h"

namespace {

using namespace platform;

TEST(TextModule, MeasuresAndRendersAsTheToolkitEngine) {
    ModuleTextEngine module;
    QtTextEngine direct;
    const TextFont fonts[] = {{"DejaVu Sans", 14, true},
                              {"MS Sans Serif", 0, false, true, true},
                              {"Liberation Serif", -20, false, false, false, true}};
    const struct {
        const char* text;
        TPoint at;
    } cases[] = {{"Жg W", {3, 2}}, {"cut off", {-9, 30}}, {"away", {500, 500}}};
    long inked = 0;
    for (const TextFont& font : fonts)
        for (const auto& c : cases) {
            SCOPED_TRACE(font.faceName + " / " + c.text);
            const TextSize size = module.Measure(font, c.text), expectedSize = direct.Measure(font, c.text);
            EXPECT_EQ(size.cx, expectedSize.cx);
            EXPECT_EQ(size.cy, expectedSize.cy);
            const TextMask mask = module.Render(font, c.text, c.at, 60, 40);
            const TextMask expected = direct.Render(font, c.text, c.at, 60, 40);
            EXPECT_EQ(mask.area, expected.area);
            EXPECT_EQ(mask.covered, expected.covered);
            inked += std::count(mask.covered.begin(), mask.covered.end(), 1);
        }
    EXPECT_GT(inked, 200);  // the comparison is over real glyphs
}

}  // namespace

#pragma once
// The entry points of the text module (libbrelvik-text.so), looked up by name after dlopen. Only
// plain data crosses: the module and its loader share no C++ types.
#include <cstddef>

extern "C" {

struct BrelvikTextFont {
    const char* face;  // UTF-8, NUL-terminated
    int pixelHeight;
    int bold, italic, underline, strikeOut;
};

// The pixels a text covers over `width` x `height` pixels at (left, top) of the raster, one byte a
// pixel, row by row. The module owns `covered` until BrelvikTextRelease.
struct BrelvikTextMask {
    int left, top, width, height;
    unsigned char* covered;
};

// Starts the font engine with an argument vector of the module's own: nothing of the program's
// command line (file names) can reach the toolkit as its options.
using BrelvikTextStartFn = void (*)();
using BrelvikTextStopFn = void (*)();
// Measure and Render return 0 when the font engine failed (an exception stays inside the module).
using BrelvikTextMeasureFn = int (*)(const BrelvikTextFont* font, const char* utf8, std::size_t length,
                                     int* cx, int* cy);
using BrelvikTextRenderFn = int (*)(const BrelvikTextFont* font, const char* utf8, std::size_t length, int x,
                                    int y, int rasterWidth, int rasterHeight, BrelvikTextMask* mask);
using BrelvikTextReleaseFn = void (*)(BrelvikTextMask* mask);
}

#define BRELVIK_TEXT_MODULE "libbrelvik-text.so"

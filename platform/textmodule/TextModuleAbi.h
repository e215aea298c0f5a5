#pragma once
// The entry points of the text module (libbrelvik-text.so), looked up by name after dlopen.
// Both sides are built from this tree with the same compiler, so they share DeviceContext's layout.
#include <cstddef>

namespace platform {
class DeviceContext;
}

extern "C" {
using BrelvikTextStartFn = void (*)(int* argc, char** argv);
using BrelvikTextStopFn = void (*)();
using BrelvikTextExtentFn = void (*)(const platform::DeviceContext* context, const char* utf8, std::size_t length,
                                     int* cx, int* cy);
using BrelvikTextOutFn = void (*)(platform::DeviceContext* context, int x, int y, const char* utf8,
                                  std::size_t length);
}

#define BRELVIK_TEXT_MODULE "libbrelvik-text.so"

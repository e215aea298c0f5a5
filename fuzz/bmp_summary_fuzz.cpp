// The BMP header summary reads a file by path, so each input goes through a scratch file.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "formats/BmpHeaderSummary.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/brelvik-summary-fuzz-" + std::to_string(getpid()) + ".bmp";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    ExpectCleanFailure([&] {
        if (SummarizeBmpHeader(path).size() != 8) __builtin_trap();
    });
    return 0;
}

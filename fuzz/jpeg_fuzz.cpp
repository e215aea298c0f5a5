// JPEG reading (header only), then decoding into the cached raster.
#include "formats/TJPEGImage.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InstallFormatsOnce();
    ExpectCleanFailure([&] {
        TMemoryStream stream;
        FillStream(stream, data, size);
        TJPEGImage jpeg;
        jpeg.ReadFromStream(stream);
        if ((long long)jpeg.Width() * jpeg.Height() > FuzzMaxPixels) return;
        jpeg.DecodedBitmap();
    });
    return 0;
}

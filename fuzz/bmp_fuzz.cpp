// BMP reading, then every row of the raster through the 24-bit conversion.
#include "core/TBitmap.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InstallFormatsOnce();
    ExpectCleanFailure([&] {
        TMemoryStream stream;
        FillStream(stream, data, size);
        TBitmap bitmap;
        bitmap.ReadFromStream(stream);
        if (bitmap.IsEmpty() || (long long)bitmap.Width() * bitmap.Height() > FuzzMaxPixels) return;
        bitmap.SetRasterFormat(rf24Bit);
        unsigned sum = 0;
        for (int y = 0; y < bitmap.Height(); ++y) sum += bitmap.Row(y)[bitmap.Width() * 3 - 1];
        (void)sum;
    });
    return 0;
}

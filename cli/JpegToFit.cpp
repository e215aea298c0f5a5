#include "cli/JpegToFit.h"

#include "core/AtomicWrite.h"
#include "core/Errors.h"
#include "core/TBitmap.h"
#include "formats/JpegFileWrite.h"
#include "formats/JpegSizeFit.h"
#include "formats/TJPEGImage.h"

int WriteJpegToFit(TBitmap& raster, std::int64_t maxSize, const std::string& output) {
    TJPEGImage jpeg;
    jpeg.CopyFrom(&raster);
    const JpegFit fit = FitJpegToSize(JpegEncodeSnapshot(jpeg), maxSize);
    if (fit.quality == 0)
        throw Exception("does not fit in " + std::to_string(maxSize) +
                        " bytes: at quality 1 the JPEG file is " + std::to_string(fit.bytes->DataSize()) +
                        " bytes");
    WriteAtomically(output, [&](const std::string& path) { WriteJpegFile(*fit.bytes, path); });
    return fit.quality;
}

#include "formats/DecodedRaster.h"

#include <cstring>
#include <limits>

#include "core/Errors.h"
#include "platform/Ceilings.h"

std::unique_ptr<platform::Bitmap> NewDecodedRaster(const char* kind, std::int64_t width, std::int64_t height,
                                                   bool withAlpha) {
    constexpr std::int64_t MaxSide = std::numeric_limits<std::int32_t>::max();
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) ThrowInvalidPicture(kind);
    if (width * height > platform::MaxRasterPixels ||
        platform::RowStride(width, withAlpha ? 32 : 24) * height > platform::MaxRasterBytes)
        throw EOutOfResources(ErrorText::OutOfResources);
    platform::BitmapInfoHeader header;
    header.width = std::int32_t(width);
    header.height = -std::int32_t(height);
    header.bitCount = withAlpha ? 32 : 24;
    std::unique_ptr<platform::Bitmap> raster;
    try {
        // Only a raster with alpha needs its rows cleared first: the readers write every pixel of
        // the others (or fail, and the raster goes); the bytes that pad the rows are cleared.
        raster = platform::Bitmap::CreateDib(header, {}, nullptr, withAlpha);
    } catch (const platform::RasterError& e) {
        throw EOutOfResources(e.message ? e.message : ErrorText::OutOfResources);
    }
    const std::int64_t used = width * 3, stride = raster->Stride();
    if (!withAlpha && used != stride)
        for (std::int64_t y = 0; y < height; ++y)
            std::memset(raster->bits.data() + y * stride + used, 0, std::size_t(stride - used));
    return raster;
}

// Every packed row starts at or before its 32-bit row, and each pixel at or before its source, so
// the rows are packed from the top without overwriting what is still to be read.
void FlattenOntoWhite(platform::Bitmap& raster) {
    const int width = raster.Width(), height = raster.Height();
    const std::int64_t from = raster.Stride(), to = platform::RowStride(width, 24);
    std::uint8_t* bits = raster.bits.data();
    for (std::int64_t y = 0; y < height; ++y) {
        const std::uint8_t* in = bits + y * from;
        std::uint8_t* out = bits + y * to;
        for (int x = 0; x < width; ++x, in += 4, out += 3) {
            const unsigned alpha = in[3], white = 255 * (255 - alpha) + 127;
            for (int c = 0; c < 3; ++c) out[c] = std::uint8_t((in[c] * alpha + white) / 255);
        }
        for (std::int64_t pad = 3 * std::int64_t(width); pad < to; ++pad) bits[y * to + pad] = 0;
    }
    raster.bits.resize(std::size_t(to * height));
    raster.info.bitCount = 24;
}

void ThrowInvalidPicture(const char* kind, const std::string& reason) {
    std::string message = std::string(kind) + " image is not valid";
    if (!reason.empty()) message += ": " + reason;
    throw EInvalidGraphic(message);
}

void InstallDecodedRaster(TBitmap& bitmap, std::unique_ptr<platform::Bitmap> raster,
                          TPictureMetadata metadata) {
    if (bitmap.HasSurface()) bitmap.Surface().Release();
    auto image = std::make_shared<TBitmapImage>();
    image->description = raster->info;
    image->hasLayout = true;
    image->deviceDependent = false;
    image->handle = std::move(raster);
    bitmap.AssignImage(std::move(image));
    bitmap.SetMetadata(std::move(metadata));
}

std::size_t ReadUpTo(TStream& stream, std::uint8_t* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const std::size_t got = stream.Read(buffer + done, count - done);
        if (got == 0) break;
        done += got;
    }
    return done;
}

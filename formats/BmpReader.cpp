#include "formats/BmpReader.h"

#include <algorithm>
#include <cstring>

#include "core/Errors.h"
#include "formats/BmpEmbeddedProfile.h"
#include "formats/BmpHeaders.h"
#include "formats/RleDecoder.h"

namespace {

bool IsRunLength(std::uint32_t compression) {
    return compression == platform::BI_RLE8 || compression == platform::BI_RLE4;
}

// Runs a raster maker of the platform, turning its refusal into our errors.
template <typename Make>
std::unique_ptr<platform::Bitmap> MakeRaster(Make make) {
    try {
        return make();
    } catch (const platform::RasterError& error) {
        if (error.code == 0) throw EInvalidGraphic(ErrorText::InvalidBitmap);
        throw EOSError(Format(ErrorText::OSError, error.code, error.message ? error.message : ""));
    }
}

// Compressed files are kept whole: the headers read so far and the rest of the file go into memory,
// and reading carries on from that copy.
void KeepFileBytes(BmpInput& in, const BmpHeaders& headers, TMemoryStream& kept) {
    const std::int64_t rest = in.Remaining();
    kept.Write(headers.fileBytes.data(), headers.fileBytes.size());
    kept.Write(headers.headerBytes.data(), headers.headerBytes.size());
    const std::int64_t start = kept.Position();
    kept.SetSize(start + rest);
    in.Read(kept.Memory() + start, std::size_t(rest));
    kept.SetPosition(start);
    in.SwitchTo(kept, rest);
}

// The pixel data starts where the file header says when that lies past the colour table and
// inside the file; otherwise right after the colour table.
void SkipToPixels(BmpInput& in, const BmpHeaders& headers, std::int64_t fileSize) {
    const std::int64_t consumed = fileSize - in.Remaining();
    const std::int64_t offset = headers.file.offBits;
    if (offset > consumed && offset < fileSize) in.Skip(offset - consumed);
}

platform::HPALETTE PaletteOf(const std::vector<platform::RGBQuad>& colors) {
    if (colors.empty()) return nullptr;
    return std::make_shared<const platform::Palette>(colors);
}

std::unique_ptr<platform::Bitmap> ReadRows(BmpInput& in, const BmpHeaders& headers, std::int64_t count) {
    // Wider pixels keep their table as a palette instead (see ReadBmp).
    const std::vector<platform::RGBQuad> noColors;
    const auto& colors = headers.info.bitCount <= 8 ? headers.colors : noColors;
    const platform::BitmapInfoHeader& info = headers.info;
    const std::int64_t height = info.height < 0 ? -std::int64_t(info.height) : info.height;
    // A file cut short leaves its missing rows zero; a whole one overwrites every byte, so the
    // rows need no clearing first (a failed read throws and the raster goes with it).
    const bool whole = count >= platform::RowStride(info.width, info.bitCount) * height;
    auto raster = MakeRaster([&] {
        return platform::Bitmap::CreateDib(info, colors, headers.hasMasks ? headers.masks : nullptr, !whole);
    });
    const std::int64_t bytes = std::min<std::int64_t>(count, std::int64_t(raster->bits.size()));
    in.Read(raster->bits.data(), std::size_t(bytes));
    return raster;
}

std::unique_ptr<platform::Bitmap> DecodeRows(TMemoryStream& kept, const BmpHeaders& headers,
                                             std::int64_t count) {
    const platform::BitmapInfoHeader& info = headers.info;
    auto raster = MakeRaster([&] { return platform::Bitmap::CreateDevice(info.width, info.height); });
    const std::uint8_t* data = kept.Memory() + kept.Position();
    DecodeRle(data, std::size_t(count), info.compression == platform::BI_RLE4, headers.colors, *raster);
    return raster;
}

}  // namespace

void ReadBmp(TBitmap& bitmap, TStream& stream) {
    if (bitmap.HasSurface()) bitmap.Surface().Release();
    const std::int64_t fileSize = stream.Remaining();
    if (fileSize <= 0) {
        bitmap.AssignImage(std::make_shared<TBitmapImage>());
        bitmap.SetMetadata({});
        return;
    }

    const std::int64_t fileStart = stream.Position();
    BmpInput in(stream, fileSize);
    BmpHeaders headers;
    ReadMainHeaders(in, headers);
    const bool runLength = IsRunLength(headers.info.compression);
    TMemoryStream kept;
    if (headers.info.compression != platform::BI_RGB && headers.info.compression != platform::BI_BITFIELDS)
        KeepFileBytes(in, headers, kept);
    ReadMasksAndColors(in, headers);
    ValidateHeaders(headers);
    SkipToPixels(in, headers, fileSize);

    platform::BitmapInfoHeader& info = headers.info;
    const std::int64_t height = info.height < 0 ? -std::int64_t(info.height) : info.height;
    if (info.sizeImage == 0)
        info.sizeImage = std::uint32_t(platform::RowStride(info.width, info.bitCount) * height);
    const std::int64_t count = std::min<std::int64_t>(info.sizeImage, in.Remaining());

    auto image = std::make_shared<TBitmapImage>();
    image->handle = runLength ? DecodeRows(kept, headers, count) : ReadRows(in, headers, count);
    image->description = info;
    if (headers.hasMasks) std::copy(headers.masks, headers.masks + 3, image->masks);
    image->hasLayout = true;
    image->deviceDependent = runLength;
    image->coreHeader = headers.coreHeader;
    if (runLength || info.bitCount > 8) image->palette = PaletteOf(headers.colors);
    if (runLength) image->savedStream = std::move(kept.Data());

    bitmap.SetPaletteModified(image->palette != nullptr);
    bitmap.AssignImage(std::move(image));
    TPictureMetadata metadata;
    metadata.iccProfile = ReadBmpEmbeddedProfile(stream, fileStart, fileSize, headers.headerBytes);
    bitmap.SetMetadata(std::move(metadata));
}

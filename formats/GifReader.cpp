#include "formats/GifReader.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "core/LittleEndianBytes.h"
#include "formats/DecodedRaster.h"

namespace {

constexpr const char* Kind = "GIF";
constexpr int NoTransparency = -1;

int ReadBytes(GifFileType* gif, GifByteType* buffer, int count) {
    try {
        return int(ReadUpTo(*static_cast<TStream*>(gif->UserData), buffer, std::size_t(count)));
    } catch (...) {
        return 0;  // giflib reports a read error
    }
}

struct GifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

[[noreturn]] void Fail(int error) {
    const char* reason = GifErrorString(error);
    ThrowInvalidPicture(Kind, reason ? reason : "");
}

void Check(GifFileType* gif, int result) {
    if (result == GIF_ERROR) Fail(gif->Error);
}

// Reads records up to the first image's descriptor; the transparent index of a graphic control
// block before it is kept.
int SkipToFirstImage(GifFileType* gif) {
    int transparent = NoTransparency;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        Check(gif, DGifGetRecordType(gif, &type));
        if (type == IMAGE_DESC_RECORD_TYPE) return transparent;
        if (type == TERMINATE_RECORD_TYPE) ThrowInvalidPicture(Kind, "the file holds no image");
        if (type != EXTENSION_RECORD_TYPE) continue;
        int code = 0;
        GifByteType* block = nullptr;
        Check(gif, DGifGetExtension(gif, &code, &block));
        GraphicsControlBlock control;
        if (code == GRAPHICS_EXT_FUNC_CODE && block &&
            DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
            transparent = control.TransparentColor;
        while (block) Check(gif, DGifGetExtensionNext(gif, &block));
    }
}

// The frame's rows, in the file's order (interlaced files in four passes), coloured into the
// raster where they fall inside it.
void ReadFrame(GifFileType* gif, int transparent, platform::Bitmap& raster) {
    Check(gif, DGifGetImageDesc(gif));
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* colors = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!colors || frame.Width <= 0 || frame.Height <= 0)
        ThrowInvalidPicture(Kind, "the frame has no colours");
    static constexpr int PassStart[] = {0, 4, 2, 1}, PassStep[] = {8, 8, 4, 2};
    std::vector<GifPixelType> line(std::size_t(frame.Width));
    const int passes = frame.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass)
        for (int y = frame.Interlace ? PassStart[pass] : 0; y < frame.Height;
             y += frame.Interlace ? PassStep[pass] : 1) {
            Check(gif, DGifGetLine(gif, line.data(), frame.Width));
            std::uint8_t* row = raster.ScanLine(frame.Top + y);
            if (!row) continue;
            for (int x = 0; x < frame.Width && frame.Left + x < raster.Width(); ++x) {
                const int index = line[std::size_t(x)];
                std::uint8_t* pixel = row + std::size_t(frame.Left + x) * 3;
                if (index == transparent || index >= colors->ColorCount) {
                    pixel[0] = pixel[1] = pixel[2] = 0xFF;
                    continue;
                }
                const GifColorType& color = colors->Colors[index];
                pixel[0] = color.Blue, pixel[1] = color.Green, pixel[2] = color.Red;
            }
        }
}

// The screen outside the frame is white; written once the frame is read, so that a file failing
// before then costs no pass over a raster that is thrown away.
void WhitenAroundFrame(const GifImageDesc& frame, platform::Bitmap& raster) {
    const int width = raster.Width();
    const int left = std::clamp(frame.Left, 0, width),
              right = std::clamp(frame.Left + frame.Width, left, width);
    for (int y = 0; y < raster.Height(); ++y) {
        std::uint8_t* row = raster.ScanLine(y);
        if (y < frame.Top || y >= frame.Top + frame.Height) {
            std::memset(row, 0xFF, std::size_t(width) * 3);
            continue;
        }
        std::memset(row, 0xFF, std::size_t(left) * 3);
        std::memset(row + std::size_t(right) * 3, 0xFF, std::size_t(width - right) * 3);
    }
}

}  // namespace

void ReadGif(TBitmap& bitmap, TStream& stream) {
    int error = 0;
    GifFile gif(DGifOpen(&stream, ReadBytes, &error));
    if (!gif) Fail(error);
    auto raster = NewDecodedRaster(Kind, gif->SWidth, gif->SHeight);
    ReadFrame(gif.get(), SkipToFirstImage(gif.get()), *raster);
    WhitenAroundFrame(gif->Image, *raster);
    InstallDecodedRaster(bitmap, std::move(raster), {});
}

std::optional<DeclaredSize> GifDeclaredSize(TStream& stream) {
    std::uint8_t header[10];
    if (ReadUpTo(stream, header, sizeof header) != sizeof header) return std::nullopt;
    if (std::memcmp(header, "GIF87a", 6) != 0 && std::memcmp(header, "GIF89a", 6) != 0) return std::nullopt;
    return DeclaredSize{le::Get16(header + 6), le::Get16(header + 8)};
}

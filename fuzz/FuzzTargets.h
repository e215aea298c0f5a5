#pragma once
// The bodies of the fuzz targets, shared with the regression test that replays their findings.
#include <sys/mman.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "core/TBitmap.h"
#include "core/TCanvas.h"
#include "core/TPicture.h"
#include "formats/BmpHeaderSummary.h"
#include "formats/GifReader.h"
#include "formats/PngReader.h"
#include "formats/TIcon.h"
#include "formats/TJPEGImage.h"
#include "formats/TiffReader.h"
#include "formats/WebpReader.h"
#include "fuzz/FuzzSupport.h"

// BMP reading, then every row of the raster through the 24-bit conversion.
inline void FuzzBmp(const std::uint8_t* data, std::size_t size) {
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
}

// JPEG reading (header only), then decoding into the cached raster.
inline void FuzzJpeg(const std::uint8_t* data, std::size_t size) {
    ExpectCleanFailure([&] {
        TMemoryStream stream;
        FillStream(stream, data, size);
        TJPEGImage jpeg;
        jpeg.ReadFromStream(stream);
        if ((long long)jpeg.Width() * jpeg.Height() > FuzzMaxPixels) return;
        jpeg.DecodedBitmap();
    });
}

// ICO reading, then drawing (which makes the platform icon from the file's chosen image).
inline void FuzzIco(const std::uint8_t* data, std::size_t size) {
    ExpectCleanFailure([&] {
        TMemoryStream stream;
        FillStream(stream, data, size);
        TIcon icon;
        icon.ReadFromStream(stream);
        std::unique_ptr<platform::Bitmap> target = platform::Bitmap::CreateDevice(64, 64);
        TRasterCanvas canvas(*target);
        icon.DrawInRect(canvas, platform::Rect(0, 0, 64, 64));
    });
}

// The stored form of a picture in a window description: class name, then the graphic's own form,
// then a draw of whatever was read.
inline void FuzzPictureData(const std::uint8_t* data, std::size_t size) {
    ExpectCleanFailure([&] {
        TMemoryStream stream;
        FillStream(stream, data, size);
        TPicture picture;
        ReadPictureData(picture, stream);
        TGraphic* graphic = picture.HeldGraphic();
        if (!graphic || (long long)graphic->Width() * graphic->Height() > FuzzMaxPixels) return;
        std::unique_ptr<platform::Bitmap> target = platform::Bitmap::CreateDevice(32, 32);
        TRasterCanvas canvas(*target);
        canvas.StretchDraw(platform::Rect(0, 0, 32, 32), graphic);
    });
}

// The summary reads a file by path; each input goes through one file kept in memory (no disk
// write per run), reached by its /proc path so the whole opening path is exercised.
inline void FuzzBmpSummary(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("brelvik-summary-fuzz.bmp", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != ssize_t(size)) return;
    ExpectCleanFailure([&] {
        if (SummarizeBmpHeader(path).size() != 8) __builtin_trap();
    });
}

// A raster kind's reader (its header, the declared-size check, the pixels), after its size probe,
// then a look at every row of what it made.
inline void FuzzRasterKind(const std::uint8_t* data, std::size_t size, RasterReader reader, SizeProbe probe) {
    ExpectCleanFailure([&] {
        TMemoryStream stream;
        FillStream(stream, data, size);
        probe(stream);
        stream.SetPosition(0);
        TBitmap bitmap;
        reader(bitmap, stream);
        unsigned sum = 0;
        for (int y = 0; y < bitmap.Height(); ++y) sum += bitmap.Row(y)[bitmap.Width() * 3 - 1];
        if (sum == 1u << 31) __builtin_trap();  // keeps the reads
    });
}

inline void FuzzPng(const std::uint8_t* data, std::size_t size) {
    FuzzRasterKind(data, size, ReadPng, PngDeclaredSize);
}
inline void FuzzWebp(const std::uint8_t* data, std::size_t size) {
    FuzzRasterKind(data, size, ReadWebp, WebpDeclaredSize);
}
inline void FuzzTiff(const std::uint8_t* data, std::size_t size) {
    FuzzRasterKind(data, size, ReadTiff, TiffDeclaredSize);
}
inline void FuzzGif(const std::uint8_t* data, std::size_t size) {
    FuzzRasterKind(data, size, ReadGif, GifDeclaredSize);
}

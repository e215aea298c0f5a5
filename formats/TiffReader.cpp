#include "formats/TiffReader.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "core/Errors.h"
#include "formats/DecodedRaster.h"

namespace {

constexpr const char* Kind = "TIFF";
constexpr const char* FileName = "picture";
// Each band of decoded rows, and each single allocation libtiff makes, stays below these.
constexpr std::int64_t BandBytes = 4 << 20;
constexpr tmsize_t LibraryAllocationLimit = 256 << 20;

struct TiffSource {
    TStream* stream;
    char reason[256] = {};
    std::vector<std::uint8_t> whole;  // the file, for a library that maps it
};

TStream& StreamOf(thandle_t handle) {
    return *static_cast<TiffSource*>(handle)->stream;
}

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
    try {
        return tmsize_t(ReadUpTo(StreamOf(handle), static_cast<std::uint8_t*>(buffer), std::size_t(size)));
    } catch (...) {
        return -1;
    }
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) {
    return -1;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    const TSeekOrigin origin = whence == SEEK_CUR ? soCurrent : whence == SEEK_END ? soEnd : soBeginning;
    try {
        return toff_t(StreamOf(handle).Seek(std::int64_t(offset), origin));
    } catch (...) {
        return toff_t(-1);
    }
}

int CloseProc(thandle_t) {
    return 0;
}

toff_t SizeProc(thandle_t handle) {
    try {
        return toff_t(StreamOf(handle).Size());
    } catch (...) {
        return 0;
    }
}

// The first error's text; libtiff starts many with the file's name, which is not the user's.
// The whole file in memory, as libtiff's reading of uncompressed tiles needs: unmapped, it takes
// the tiles' byte counts for the rounded-up sizes of its read buffer and refuses them.
int MapProc(thandle_t handle, void** base, toff_t* size) {
    auto* source = static_cast<TiffSource*>(handle);
    try {
        source->stream->SetPosition(0);
        source->whole.resize(std::size_t(source->stream->Size()));
        if (ReadUpTo(*source->stream, source->whole.data(), source->whole.size()) != source->whole.size())
            return 0;
    } catch (...) {
        return 0;
    }
    *base = source->whole.data();
    *size = source->whole.size();
    return 1;
}

void UnmapProc(thandle_t, void*, toff_t) {}

int KeepError(TIFF*, void* source, const char*, const char* format, va_list args) {
    char* reason = static_cast<TiffSource*>(source)->reason;
    if (reason[0]) return 1;
    std::vsnprintf(reason, sizeof TiffSource::reason, format, args);
    const std::size_t prefix = std::strlen(FileName) + 2;
    if (std::strncmp(reason, FileName, prefix - 2) == 0 && std::strncmp(reason + prefix - 2, ": ", 2) == 0)
        std::memmove(reason, reason + prefix, std::strlen(reason + prefix) + 1);
    return 1;
}

int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffFile = std::unique_ptr<TIFF, TiffCloser>;

// Opened with this file's own error handlers; the process-wide ones, which print, are turned off
// for the messages libtiff gives before a file is open.
TiffFile Open(TiffSource& source, bool mapped = false) {
    static const bool quiet = [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
        return true;
    }();
    (void)quiet;
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) throw EOutOfMemory(ErrorText::OutOfResources);
    TIFFOpenOptionsSetErrorHandlerExtR(options, KeepError, &source);
    TIFFOpenOptionsSetWarningHandlerExtR(options, IgnoreWarning, &source);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, LibraryAllocationLimit);
    TiffFile tiff(TIFFClientOpenExt(FileName, mapped ? "r" : "rm", &source, ReadProc, WriteProc, SeekProc,
                                    CloseProc, SizeProc, MapProc, UnmapProc, options));
    TIFFOpenOptionsFree(options);
    if (!tiff) ThrowInvalidPicture(Kind, source.reason);
    return tiff;
}

struct RgbaImage {
    TIFFRGBAImage image{};
    bool begun = false;
    ~RgbaImage() {
        if (begun) TIFFRGBAImageEnd(&image);
    }
};

// Rows per band: whole strips or tiles where they fit, so that none is decoded twice.
std::uint32_t BandRows(TIFF* tiff, std::uint32_t width, std::uint32_t height) {
    std::uint32_t unit = 0;
    if (TIFFIsTiled(tiff))
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &unit);
    else
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &unit);
    const std::int64_t budget = std::max<std::int64_t>(1, BandBytes / (std::int64_t(width) * 4));
    std::int64_t rows = budget;
    if (unit > 0 && unit <= budget) rows = budget / unit * unit;
    return std::uint32_t(std::min<std::int64_t>(rows, height));
}

// Where the stored pixel (x, y) of a width x height page shows in the upright picture.
struct Placement {
    int orientation, width, height;
    void Place(std::int64_t x, std::int64_t y, std::int64_t& outX, std::int64_t& outY) const {
        const std::int64_t mx = width - 1 - x, my = height - 1 - y;
        switch (orientation) {
            case ORIENTATION_TOPRIGHT:
                outX = mx, outY = y;
                return;
            case ORIENTATION_BOTRIGHT:
                outX = mx, outY = my;
                return;
            case ORIENTATION_BOTLEFT:
                outX = x, outY = my;
                return;
            case ORIENTATION_LEFTTOP:
                outX = y, outY = x;
                return;
            case ORIENTATION_RIGHTTOP:
                outX = my, outY = x;
                return;
            case ORIENTATION_RIGHTBOT:
                outX = my, outY = mx;
                return;
            case ORIENTATION_LEFTBOT:
                outX = y, outY = mx;
                return;
            default:
                outX = x, outY = y;
                return;
        }
    }
    bool Turned() const { return orientation >= ORIENTATION_LEFTTOP && orientation <= ORIENTATION_LEFTBOT; }
};

// One of libtiff's RGBA pixels (premultiplied by alpha) over white, as blue, green, red.
inline void PutOverWhite(std::uint32_t pixel, std::uint8_t* out) {
    const int uncovered = 255 - int(TIFFGetA(pixel));
    out[0] = std::uint8_t(std::min(255, int(TIFFGetB(pixel)) + uncovered));
    out[1] = std::uint8_t(std::min(255, int(TIFFGetG(pixel)) + uncovered));
    out[2] = std::uint8_t(std::min(255, int(TIFFGetR(pixel)) + uncovered));
}

// A band of libtiff's RGBA pixels into the raster: an upright page straight along its rows, any
// other pixel by pixel to its upright place.
void PlaceBand(const std::uint32_t* band, std::uint32_t firstRow, std::uint32_t rows,
               const Placement& placement, platform::Bitmap& raster) {
    for (std::uint32_t by = 0; by < rows; ++by) {
        const std::uint32_t* pixels = band + std::size_t(by) * placement.width;
        if (placement.orientation == ORIENTATION_TOPLEFT) {
            std::uint8_t* out = raster.ScanLine(int(firstRow + by));
            for (int x = 0; x < placement.width; ++x, out += 3) PutOverWhite(pixels[x], out);
            continue;
        }
        for (int x = 0; x < placement.width; ++x) {
            std::int64_t outX = 0, outY = 0;
            placement.Place(x, firstRow + by, outX, outY);
            PutOverWhite(pixels[x], raster.ScanLine(int(outY)) + outX * 3);
        }
    }
}

TPictureMetadata MetadataOf(TIFF* tiff, int orientation) {
    TPictureMetadata metadata;
    metadata.orientation = orientation;
    std::uint32_t length = 0;
    const std::uint8_t* profile = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &length, &profile) && profile)
        metadata.iccProfile.assign(profile, profile + length);
    return metadata;
}

}  // namespace

bool UncompressedTiles(TIFF* tiff) {
    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    return TIFFIsTiled(tiff) && compression == COMPRESSION_NONE;
}

void ReadTiff(TBitmap& bitmap, TStream& stream) {
    TiffSource source{&stream, {}, {}};
    const std::int64_t start = stream.Position();
    TiffFile tiff = Open(source);
    if (UncompressedTiles(tiff.get())) {
        tiff.reset();
        stream.SetPosition(start);
        tiff = Open(source, true);
    }
    char reason[1024] = {};
    RgbaImage rgba;
    if (!TIFFRGBAImageOK(tiff.get(), reason) || !TIFFRGBAImageBegin(&rgba.image, tiff.get(), 1, reason))
        ThrowInvalidPicture(Kind, source.reason[0] ? source.reason : reason);
    rgba.begun = true;
    TIFFRGBAImage& image = rgba.image;
    const int orientation = image.orientation >= 1 && image.orientation <= 8 ? image.orientation : 1;
    const Placement placement{orientation, int(image.width), int(image.height)};
    auto raster = placement.Turned() ? NewDecodedRaster(Kind, image.height, image.width)
                                     : NewDecodedRaster(Kind, image.width, image.height);
    image.req_orientation = image.orientation;  // rows as stored; placed upright below
    const std::uint32_t bandRows = BandRows(tiff.get(), image.width, image.height);
    // Every pixel of a band is written before it is read, so it is not cleared.
    std::unique_ptr<std::uint32_t[]> band(new std::uint32_t[std::size_t(bandRows) * image.width]);
    for (std::uint32_t row = 0; row < image.height; row += bandRows) {
        const std::uint32_t rows = std::min(bandRows, image.height - row);
        image.row_offset = int(row);
        image.col_offset = 0;
        if (!TIFFRGBAImageGet(&image, band.get(), image.width, rows))
            ThrowInvalidPicture(Kind, source.reason);
        PlaceBand(band.get(), row, rows, placement, *raster);
    }
    InstallDecodedRaster(bitmap, std::move(raster), MetadataOf(tiff.get(), orientation));
}

std::optional<DeclaredSize> TiffDeclaredSize(TStream& stream) {
    TiffSource source{&stream, {}, {}};
    try {
        TiffFile tiff = Open(source);
        std::uint32_t width = 0, height = 0;
        if (!TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) ||
            !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height))
            return std::nullopt;
        return DeclaredSize{width, height};
    } catch (const EInvalidGraphic&) {
        return std::nullopt;
    }
}

#include "formats/PngReader.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "core/Errors.h"
#include "formats/DecodedRaster.h"

namespace {

constexpr const char* Kind = "PNG";
constexpr std::size_t ReasonSize = 160;
// Text and profile chunks, decompressed, stay below this, so that no chunk is a memory bomb.
constexpr png_alloc_size_t ChunkLimit = 16 << 20;

// Everything libpng's callbacks reach. The guarded steps below are plain C: libpng leaves them
// by longjmp, which must not skip any C++ object's destructor.
struct PngRun {
    TStream* stream = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    platform::Bitmap* raster = nullptr;
    char reason[ReasonSize] = {};
};

void ReadBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* run = static_cast<PngRun*>(png_get_io_ptr(png));
    bool whole = false;
    try {
        whole = ReadUpTo(*run->stream, data, length) == length;
    } catch (...) {
    }
    if (!whole) png_error(png, "the file ends early");
}

void KeepReason(png_structp png, png_const_charp message) {
    auto* run = static_cast<PngRun*>(png_get_error_ptr(png));
    std::strncpy(run->reason, message, ReasonSize - 1);
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// libpng would make a buffer of a text chunk's declared length before reading it, so chunks that
// are not needed are skipped unread; eXIf is kept as an unknown chunk, whose size libpng checks
// against the chunk limit (its own handler does not).
void LimitChunks(png_structp png) {
    static constexpr png_byte Skipped[] = "tEXt\0zTXt\0iTXt\0sPLT\0hIST\0pCAL\0sCAL\0oFFs\0pHYs\0tIME\0bKGD";
    static constexpr png_byte Exif[] = "eXIf";
    png_set_chunk_malloc_max(png, ChunkLimit);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, Skipped, int(sizeof Skipped / 5));
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_ALWAYS, Exif, 1);
}

bool ReadHeader(PngRun& run) {
    if (setjmp(png_jmpbuf(run.png))) return false;
    LimitChunks(run.png);
    png_read_info(run.png, run.info);
    return true;
}

// The transformations that give 8-bit blue, green, red rows, then alpha where the file has any; libpng makes
// its row buffers here, so only once the size has passed the ceiling.
bool SetTransformations(PngRun& run) {
    if (setjmp(png_jmpbuf(run.png))) return false;
    png_set_expand(run.png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_scale_16(run.png);
    png_set_gray_to_rgb(run.png);
    png_set_bgr(run.png);
    png_set_interlace_handling(run.png);
    png_read_update_info(run.png, run.info);
    return true;
}

// Every pass of an interlaced file lands in the raster's own rows.
bool ReadPixels(PngRun& run) {
    if (setjmp(png_jmpbuf(run.png))) return false;
    const int passes = png_set_interlace_handling(run.png);
    const int height = run.raster->Height();
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y) png_read_row(run.png, run.raster->ScanLine(y), nullptr);
    return true;
}

TPictureMetadata MetadataOf(PngRun& run) {
    TPictureMetadata metadata;
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 profileLength = 0;
    if (png_get_iCCP(run.png, run.info, &name, &compression, &profile, &profileLength) && profile)
        metadata.iccProfile.assign(profile, profile + profileLength);
    png_unknown_chunkp chunks = nullptr;
    const int count = png_get_unknown_chunks(run.png, run.info, &chunks);
    for (int i = 0; i < count; ++i)
        if (std::memcmp(chunks[i].name, "eXIf", 4) == 0 && metadata.exif.empty())
            metadata.exif.assign(chunks[i].data, chunks[i].data + chunks[i].size);
    return metadata;
}

struct PngRunOwner {
    PngRun run;
    ~PngRunOwner() { png_destroy_read_struct(&run.png, run.info ? &run.info : nullptr, nullptr); }
};

}  // namespace

void ReadPng(TBitmap& bitmap, TStream& stream) {
    PngRunOwner owner;
    PngRun& run = owner.run;
    run.stream = &stream;
    run.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &run, KeepReason, IgnoreWarning);
    if (run.png) run.info = png_create_info_struct(run.png);
    if (!run.info) throw EOutOfMemory(ErrorText::OutOfResources);
    png_set_read_fn(run.png, &run, ReadBytes);
    // The raster ceiling decides the size; libpng's own limit of a million pixels a side would not.
    png_set_user_limits(run.png, 0x7FFFFFFF, 0x7FFFFFFF);
    // Every chunk's CRC already guards the compressed data; the compressor's own checksum over the
    // whole decompressed picture would only take the time a second time.
    png_set_option(run.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    if (!ReadHeader(run)) ThrowInvalidPicture(Kind, run.reason);
    const bool alpha = (png_get_color_type(run.png, run.info) & PNG_COLOR_MASK_ALPHA) != 0 ||
                       png_get_valid(run.png, run.info, PNG_INFO_tRNS) != 0;
    auto raster = NewDecodedRaster(Kind, png_get_image_width(run.png, run.info),
                                   png_get_image_height(run.png, run.info), alpha);
    run.raster = raster.get();
    if (!SetTransformations(run) || !ReadPixels(run)) ThrowInvalidPicture(Kind, run.reason);
    if (alpha) FlattenOntoWhite(*raster);
    InstallDecodedRaster(bitmap, std::move(raster), MetadataOf(run));
}

std::optional<DeclaredSize> PngDeclaredSize(TStream& stream) {
    static constexpr std::uint8_t Start[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                             0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    std::uint8_t header[24];
    if (ReadUpTo(stream, header, sizeof header) != sizeof header) return std::nullopt;
    if (std::memcmp(header, Start, sizeof Start) != 0) return std::nullopt;
    return DeclaredSize{BigEndian32(header + 16), BigEndian32(header + 20)};
}

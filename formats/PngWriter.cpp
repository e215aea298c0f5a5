#include "formats/PngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <exception>

#include "core/Errors.h"
#include "core/TBitmap.h"
#include "core/TStream.h"
#include "formats/BgrRows.h"
#include "formats/RgbProfile.h"

namespace {

// One filter for every row (Paeth, the best single one for photographs) and light compression: on a
// 12-megapixel photo, adaptive filtering at the default level makes a file about a sixth smaller in
// several times the time.
constexpr int CompressionLevel = 2;

// libpng leaves by longjmp on errors. Every jump lands in WriteAll's setjmp; nothing between owns
// anything, and the stream callback parks its exception instead of letting it cross the library.
struct PngContext {
    std::jmp_buf jump;
    TStream* stream = nullptr;
    std::exception_ptr pending;
    char reason[128] = {};
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
    auto* context = static_cast<PngContext*>(png_get_error_ptr(png));
    std::snprintf(context->reason, sizeof context->reason, "%s", message ? message : "");
    std::longjmp(context->jump, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnWrite(png_structp png, png_bytep data, std::size_t length) {
    auto* context = static_cast<PngContext*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        context->stream->WriteBuffer(data, length);
    } catch (...) {
        context->pending = std::current_exception();
        failed = true;
    }
    if (failed) png_error(png, "write failed");  // after the handler, which releases what it caught
}

void OnFlush(png_structp) {}

__attribute__((noinline)) bool WriteAll(PngContext& context, png_structp png, png_infop info,
                                        const BgrRows& rows, const TPictureMetadata& metadata) {
    if (setjmp(context.jump) != 0) return false;
    png_set_write_fn(png, &context, OnWrite, OnFlush);
    // A profile the library finds fault with is left out, not the picture.
    png_set_benign_errors(png, 1);
    png_set_IHDR(png, info, png_uint_32(rows.Width()), png_uint_32(rows.Height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (IsRgbProfile(metadata.iccProfile))
        png_set_iCCP(png, info, "ICC profile", PNG_COMPRESSION_TYPE_BASE, metadata.iccProfile.data(),
                     png_uint_32(metadata.iccProfile.size()));
    png_set_compression_level(png, CompressionLevel);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_PAETH);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < rows.Height(); ++y) png_write_row(png, rows.Row(y));
    png_write_end(png, info);
    return true;
}

struct PngWriteStruct {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWriteStruct() { png_destroy_write_struct(&png, &info); }
};

}  // namespace

void WritePngFile(const TBitmap& raster, const std::string& path) {
    const BgrRows rows(raster);
    if (rows.Width() == 0) throw EInvalidGraphic(ErrorText::EmptyPicture);
    TFileStream stream(path, fmCreate);
    PngContext context;
    context.stream = &stream;
    PngWriteStruct write;
    write.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &context, OnError, OnWarning);
    if (write.png) write.info = png_create_info_struct(write.png);
    if (!write.png || !write.info) throw EOutOfMemory(ErrorText::OutOfResources);
    if (WriteAll(context, write.png, write.info, rows, raster.Metadata())) return;
    if (context.pending) std::rethrow_exception(context.pending);
    throw EInvalidGraphic(std::string("PNG image could not be written: ") + context.reason);
}

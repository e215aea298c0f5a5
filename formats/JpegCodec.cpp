#include "formats/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "core/Errors.h"
#include "formats/JpegMetadataWrite.h"
#include "platform/Ticks.h"

namespace {

constexpr std::size_t BlockSize = 4096;
// Each scan of a file is a pass over every block of the picture; a file of more is hostile, not a
// picture (the codec's own tools stop at the same number).
constexpr int MaxScans = 500;

// ---- the error bridge ----
//
// The codec is C: a fatal error leaves it by longjmp. Every jump is made in JumpBack and lands in
// SetJumpAndRun, the only caller of setjmp; the frames in between are skipped without running their
// destructors or unwinding their handlers. That is sound only while two rules hold:
//  1. Nothing between SetJumpAndRun and the codec owns anything. The only way in is Call; the calls
//     handed to it are lambdas capturing by reference (Call checks that they have no destructor)
//     whose locals, and those of the helpers they run, are plain pointers and numbers.
//  2. No exception crosses a codec frame. Every callback we hand the codec runs its body through
//     Shielded, which parks the exception in the shield and jumps instead.
// After a jump, Call destroys the codec's structures, marks the run failed and raises the parked
// exception, or EJPEG with the codec's message code.

struct ErrorShield : jpeg_error_mgr {
    std::jmp_buf jump;
    std::exception_ptr pending;  // set when one of our callbacks failed; else msg_code tells
};

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
    std::longjmp(static_cast<ErrorShield*>(cinfo->err)->jump, 1);
}

__attribute__((noinline)) bool SetJumpAndRun(ErrorShield& shield, void (*run)(void*), void* arg) {
    if (setjmp(shield.jump) != 0) return false;
    run(arg);
    return true;
}

void EmitMessage(j_common_ptr, int) {}  // warnings and traces are not reported
void OutputMessage(j_common_ptr) {}

void InstallShield(ErrorShield& shield) {
    jpeg_std_error(&shield);
    shield.error_exit = JumpBack;
    shield.emit_message = EmitMessage;
    shield.output_message = OutputMessage;
}

// Runs one of our callbacks from inside the codec; an exception leaves the codec by the error path.
template <class F>
void Shielded(j_common_ptr cinfo, F&& body) {
    bool failed = false;
    try {
        body();
    } catch (...) {
        static_cast<ErrorShield*>(cinfo->err)->pending = std::current_exception();
        failed = true;
    }
    if (failed) JumpBack(cinfo);  // after the handler, which must finish to release what it caught
}

[[noreturn]] void Raise(const std::exception_ptr& pending, int code) {
    if (pending) std::rethrow_exception(pending);
    throw EJPEG(Format(ErrorText::JpegError, code));
}

// ---- progress ----

struct ProgressHook : jpeg_progress_mgr {
    const JpegProgress* sink = nullptr;
    std::uint32_t lastTime = 0;
    int lastPercent = 0;
    int lastRow = 0;
};

int PassPercent(const jpeg_progress_mgr& p) {
    if (p.total_passes <= 0) return 0;
    double done =
        p.completed_passes + (p.pass_limit > 0 ? double(p.pass_counter) / double(p.pass_limit) : 0.0);
    int percent = int(100.0 * done / p.total_passes);
    return percent < 0 ? 0 : percent > 100 ? 100 : percent;
}

[[noreturn]] void RefuseTheWork() {
    throw EOutOfResources(ErrorText::OutOfResources);
}

// Called as each scan is read, before its work is done.
void CheckScanCount(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MaxScans)
        Shielded(cinfo, [] { RefuseTheWork(); });
}

void OnProgress(j_common_ptr cinfo) {
    CheckScanCount(cinfo);
    auto* hook = static_cast<ProgressHook*>(cinfo->progress);
    if (!hook->sink) return;
    std::uint32_t now = platform::GetTickCount();
    if (now - hook->lastTime < hook->sink->intervalMs) return;
    bool first = hook->lastTime == 0;
    hook->lastTime = now;
    if (first) return;
    int percent = PassPercent(*hook);
    if (percent == hook->lastPercent) return;
    hook->lastPercent = percent;

    platform::TRect rect;
    bool redraw = false;
    j_decompress_ptr d = cinfo->is_decompressor ? reinterpret_cast<j_decompress_ptr>(cinfo) : nullptr;
    if (d) {
        rect = platform::Rect(0, hook->lastRow, int(d->output_width), int(d->output_scanline));
        if (rect.Bottom < hook->lastRow) rect.Bottom = int(d->output_height);  // a new pass has begun
        redraw = rect.Height() >= 4;
    }
    Shielded(cinfo, [&] { hook->sink->notify(std::uint8_t(percent), redraw, rect); });
    if (d) hook->lastRow = int(d->output_scanline);
}

// Installed without a listener too: the scan count is checked there.
void InstallProgress(j_common_ptr cinfo, ProgressHook& hook) {
    hook.progress_monitor = OnProgress;
    cinfo->progress = &hook;
}

// ---- in-memory destination ----

struct MemoryDestination : jpeg_destination_mgr {
    TMemoryStream* output = nullptr;
    JOCTET block[BlockSize];
};

void InitDestination(j_compress_ptr cinfo) {
    auto* dest = static_cast<MemoryDestination*>(cinfo->dest);
    dest->next_output_byte = dest->block;
    dest->free_in_buffer = BlockSize;
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    auto* dest = static_cast<MemoryDestination*>(cinfo->dest);
    Shielded(reinterpret_cast<j_common_ptr>(cinfo),
             [&] { dest->output->WriteBuffer(dest->block, BlockSize); });
    dest->next_output_byte = dest->block;
    dest->free_in_buffer = BlockSize;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* dest = static_cast<MemoryDestination*>(cinfo->dest);
    std::size_t count = BlockSize - dest->free_in_buffer;
    if (count > 0)
        Shielded(reinterpret_cast<j_common_ptr>(cinfo),
                 [&] { dest->output->WriteBuffer(dest->block, count); });
}

// ---- in-memory source ----

struct MemorySource : jpeg_source_mgr {
    const JOCTET* data = nullptr;
    std::size_t size = 0;
    std::size_t offset = 0;
    bool startOfFile = true;
};

const JOCTET FakeEndOfImage[2] = {0xFF, JPEG_EOI};

void InitSource(j_decompress_ptr cinfo) {
    auto* src = static_cast<MemorySource*>(cinfo->src);
    src->offset = 0;
    src->startOfFile = true;
    src->next_input_byte = nullptr;
    src->bytes_in_buffer = 0;
}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
    auto* src = static_cast<MemorySource*>(cinfo->src);
    std::size_t count = src->size - src->offset;
    if (count > BlockSize) count = BlockSize;
    if (count == 0) {
        if (src->startOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
        // Data ends early: let the codec finish the picture as it can.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->next_input_byte = FakeEndOfImage;
        src->bytes_in_buffer = 2;
    } else {
        src->next_input_byte = src->data + src->offset;
        src->bytes_in_buffer = count;
        src->offset += count;
    }
    src->startOfFile = false;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
    auto* src = static_cast<MemorySource*>(cinfo->src);
    if (count <= 0) return;
    while (std::size_t(count) > src->bytes_in_buffer) {
        count -= long(src->bytes_in_buffer);
        FillInputBuffer(cinfo);
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= std::size_t(count);
}

void TermSource(j_decompress_ptr) {}

// ---- one run of the codec ----

// What a compression or a decompression holds besides the codec's own structure, `cinfo`.
struct CodecRun {
    ErrorShield shield;
    ProgressHook hook;
    bool failed = false;  // the codec jumped out and its structures are gone

    explicit CodecRun(const JpegProgress* progress) {
        InstallShield(shield);
        hook.sink = progress;
    }
    CodecRun(const CodecRun&) = delete;  // the codec keeps pointers into it
    CodecRun& operator=(const CodecRun&) = delete;
};

// Codec calls on one run, the only way into the codec. A failure inside them destroys the codec's
// structures (destroying them again later is harmless), then raises.
template <class Run, class F>
void Call(Run& run, F calls) {
    static_assert(std::is_trivially_destructible_v<F>, "a jump out of the codec would skip its destructor");
    if (run.failed) Raise(nullptr, JERR_BAD_STATE);
    const auto runCalls = [](void* f) { (*static_cast<F*>(f))(); };
    if (SetJumpAndRun(run.shield, runCalls, &calls)) return;
    run.failed = true;
    jpeg_destroy(reinterpret_cast<j_common_ptr>(&run.cinfo));
    Raise(run.shield.pending, run.shield.msg_code);
}

// ---- compression ----

struct CompressRun : CodecRun {
    jpeg_compress_struct cinfo{};
    MemoryDestination destination;

    CompressRun(TMemoryStream& output, const JpegProgress* progress) : CodecRun(progress) {
        cinfo.err = &shield;
        destination.output = &output;
        destination.init_destination = InitDestination;
        destination.empty_output_buffer = EmptyOutputBuffer;
        destination.term_destination = TermDestination;
    }
    ~CompressRun() { jpeg_destroy_compress(&cinfo); }
};

void SetupEncoder(CompressRun& run, const JpegEncodeSettings& settings) {
    j_compress_ptr c = &run.cinfo;
    jpeg_create_compress(c);
    InstallProgress(reinterpret_cast<j_common_ptr>(c), run.hook);
    c->dest = &run.destination;
    c->image_width = JDIMENSION(settings.width);
    c->image_height = JDIMENSION(settings.height);
    c->input_components = 3;
    c->in_color_space = JCS_EXT_BGR;  // the raster's own byte order
    jpeg_set_defaults(c);
    jpeg_set_quality(c, settings.quality, TRUE);
    c->dct_method = JDCT_FLOAT;
    if (settings.grayscale) jpeg_set_colorspace(c, JCS_GRAYSCALE);
    if (settings.progressive) jpeg_simple_progression(c);
    c->write_JFIF_header = TRUE;
    c->JFIF_major_version = 1;
    c->JFIF_minor_version = 1;
    c->density_unit = 0;
    c->X_density = 1;
    c->Y_density = 1;
}

// ---- decompression ----

struct DecompressRun : CodecRun {
    jpeg_decompress_struct cinfo{};
    MemorySource source;
    bool multipleScans = false;
    bool buffered = false;
    bool cmyk = false;          // four-component file, converted to colour row by row
    bool invertedCmyk = false;  // Adobe files store CMYK inverted
    J_DCT_METHOD finalDct = JDCT_FLOAT;
    bool finalTwoPass = true;
    J_DITHER_MODE finalDither = JDITHER_FS;
    std::vector<JSAMPLE> scratch;

    DecompressRun(const TMemoryStream& bytes, const JpegProgress* progress) : CodecRun(progress) {
        cinfo.err = &shield;
        source.data = bytes.Memory();
        source.size = std::size_t(bytes.DataSize());
        source.init_source = InitSource;
        source.fill_input_buffer = FillInputBuffer;
        source.skip_input_data = SkipInputData;
        source.resync_to_restart = jpeg_resync_to_restart;
        source.term_source = TermSource;
        source.next_input_byte = nullptr;
        source.bytes_in_buffer = 0;
    }
    ~DecompressRun() { jpeg_destroy_decompress(&cinfo); }

    void Open(bool keepMetadataMarkers = false) {
        jpeg_create_decompress(&cinfo);
        InstallProgress(reinterpret_cast<j_common_ptr>(&cinfo), hook);
        cinfo.src = &source;
        if (keepMetadataMarkers) {
            jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
            jpeg_save_markers(&cinfo, JPEG_APP0 + 2, 0xFFFF);
        }
        jpeg_read_header(&cinfo, TRUE);
    }
};

void SetupDecoder(DecompressRun& run, const JpegDecodeSettings& settings) {
    j_decompress_ptr c = &run.cinfo;
    run.Open();
    c->scale_num = 1;
    c->scale_denom = 1u << settings.scale;
    c->do_block_smoothing = settings.blockSmoothing ? TRUE : FALSE;
    c->dct_method = JDCT_FLOAT;
    run.cmyk = c->jpeg_color_space == JCS_CMYK || c->jpeg_color_space == JCS_YCCK;
    if (run.cmyk) {
        c->out_color_space = JCS_CMYK;
        run.invertedCmyk = c->saw_Adobe_marker;
    } else if (settings.grayOutput) {
        c->out_color_space = JCS_GRAYSCALE;
    } else if (c->out_color_space == JCS_RGB) {
        c->out_color_space = JCS_EXT_BGR;
    }
    bool quantizable = c->out_color_space == JCS_GRAYSCALE || c->out_color_space == JCS_EXT_BGR;
    if (quantizable && (settings.depth8 || c->out_color_space == JCS_GRAYSCALE)) {
        c->quantize_colors = TRUE;
        c->desired_number_of_colors = 236;
    }
    if (settings.fast) {
        c->dct_method = JDCT_IFAST;
        c->two_pass_quantize = FALSE;
        c->dither_mode = JDITHER_ORDERED;
    }
    run.finalDct = c->dct_method;
    run.finalTwoPass = c->two_pass_quantize;
    run.finalDither = c->dither_mode;
    run.multipleScans = jpeg_has_multiple_scans(c);
    if (settings.showScans && run.multipleScans) {
        // Early scans are shown quickly; the final pass uses the chosen methods.
        c->enable_2pass_quant = c->two_pass_quantize;
        c->dct_method = JDCT_IFAST;
        c->two_pass_quantize = FALSE;
        c->dither_mode = JDITHER_ORDERED;
        c->buffered_image = TRUE;
        run.buffered = true;
    }
}

// Bytes per output pixel the raster row holds.
int RasterBytesPerPixel(const jpeg_decompress_struct& c) {
    return c.quantize_colors ? 1 : 3;
}

void CmykToBgr(const JSAMPLE* in, std::uint8_t* out, int width, bool inverted) {
    for (int x = 0; x < width; ++x, in += 4, out += 3) {
        int cyan = in[0], magenta = in[1], yellow = in[2], black = in[3];
        if (!inverted) {
            cyan = 255 - cyan;
            magenta = 255 - magenta;
            yellow = 255 - yellow;
            black = 255 - black;
        }
        out[0] = std::uint8_t(yellow * black / 255);
        out[1] = std::uint8_t(magenta * black / 255);
        out[2] = std::uint8_t(cyan * black / 255);
    }
}

void ReadRows(DecompressRun& run, JpegDecodeTarget& target) {
    j_decompress_ptr c = &run.cinfo;
    Call(run, [&] {
        while (c->output_scanline < c->output_height) {
            std::uint8_t* dst = target.Row(int(c->output_scanline));
            JSAMPROW row = run.cmyk ? run.scratch.data() : dst;
            if (jpeg_read_scanlines(c, &row, 1) != 1) break;
            if (run.cmyk) CmykToBgr(run.scratch.data(), dst, int(c->output_width), run.invertedCmyk);
        }
    });
}

void DeliverColorMap(DecompressRun& run, JpegDecodeTarget& target) {
    const jpeg_decompress_struct& c = run.cinfo;
    platform::Palette colors(std::size_t(c.actual_number_of_colors));
    bool gray = c.out_color_components == 1;
    for (std::size_t i = 0; i < colors.size(); ++i) {
        // With blue-first output the map's first component is blue.
        colors[i].blue = c.colormap[0][i];
        colors[i].green = gray ? c.colormap[0][i] : c.colormap[1][i];
        colors[i].red = gray ? c.colormap[0][i] : c.colormap[2][i];
    }
    target.ColorMap(colors);
}

std::int64_t RoundUp(std::int64_t value, std::int64_t step) {
    return (value + step - 1) / step * step;
}

// A file of several scans is held whole as coefficients while it decodes, whatever the output
// scale: 64 of them, 2 bytes each, per 8 x 8 block of each component, in whole sampling units.
std::int64_t CoefficientBytes(const DecompressRun& run) {
    if (!run.multipleScans) return 0;
    std::int64_t total = 0;
    for (int i = 0; i < run.cinfo.num_components; ++i) {
        const jpeg_component_info& component = run.cinfo.comp_info[i];
        total += RoundUp(component.width_in_blocks, component.h_samp_factor) *
                 RoundUp(component.height_in_blocks, component.v_samp_factor) * DCTSIZE2 *
                 std::int64_t(sizeof(JCOEF));
    }
    return total;
}

void CheckOutput(DecompressRun& run) {
    const jpeg_decompress_struct& c = run.cinfo;
    bool fits = run.cmyk ? c.output_components == 4 : c.output_components == RasterBytesPerPixel(c);
    if (!fits) Raise(nullptr, JERR_CONVERSION_NOTIMPL);
    if (std::int64_t(c.output_width) * std::int64_t(c.output_height) > platform::MaxRasterPixels)
        RefuseTheWork();
    if (CoefficientBytes(run) > platform::MaxRasterBytes) RefuseTheWork();
    if (run.cmyk) run.scratch.assign(std::size_t(c.output_width) * 4, 0);
}

void ShowScans(DecompressRun& run, JpegDecodeTarget& target, bool codecPaletteAllowed) {
    j_decompress_ptr c = &run.cinfo;
    bool passDone = false;
    int status = 0;
    do {
        Call(run, [&] { jpeg_start_output(c, c->input_scan_number); });
        if (!passDone && c->colormap && c->quantize_colors && codecPaletteAllowed)
            DeliverColorMap(run, target);
        ReadRows(run, target);
        target.PassDone();
        Call(run, [&] { jpeg_finish_output(c); });
        passDone = true;
        Call(run, [&] {
            status = jpeg_consume_input(c);
            CheckScanCount(reinterpret_cast<j_common_ptr>(c));
        });
    } while (status != JPEG_REACHED_EOI && status != JPEG_SUSPENDED);
    c->dct_method = run.finalDct;
    c->dither_mode = run.finalDither;
    if (run.finalTwoPass) {
        c->two_pass_quantize = TRUE;
        c->colormap = nullptr;
    }
    Call(run, [&] { jpeg_start_output(c, c->input_scan_number); });
}

// ---- metadata markers ----

bool MarkerStartsWith(const jpeg_marker_struct& marker, const char* prefix, std::size_t length) {
    return marker.data_length >= length && std::memcmp(marker.data, prefix, length) == 0;
}

// The profile is reassembled by the codec from its numbered APP2 markers (nothing when they are
// incomplete or inconsistent); the first EXIF and the first XMP APP1 marker are taken whole.
void ReadMetadataMarkers(DecompressRun& run, TPictureMetadata& metadata) {
    static constexpr char ExifPrefix[] = "Exif\0";  // with the array's own terminator: six bytes
    static constexpr char XmpPrefix[] = "http://ns.adobe.com/xap/1.0/";  // and its terminator
    for (jpeg_saved_marker_ptr m = run.cinfo.marker_list; m; m = m->next) {
        if (m->marker != JPEG_APP0 + 1) continue;
        if (metadata.exif.empty() && MarkerStartsWith(*m, ExifPrefix, sizeof ExifPrefix))
            metadata.exif.assign(m->data + sizeof ExifPrefix, m->data + m->data_length);
        else if (metadata.xmp.empty() && MarkerStartsWith(*m, XmpPrefix, sizeof XmpPrefix))
            metadata.xmp.assign(m->data + sizeof XmpPrefix, m->data + m->data_length);
    }
    JOCTET* profile = nullptr;
    unsigned int length = 0;
    Call(run, [&] {
        if (!jpeg_read_icc_profile(&run.cinfo, &profile, &length)) profile = nullptr;
    });
    if (!profile) return;
    std::unique_ptr<JOCTET, decltype(&std::free)> owned(profile, &std::free);
    metadata.iccProfile.assign(profile, profile + length);
}

}  // namespace

void JpegCompress(const JpegEncodeSettings& settings, const std::uint8_t* topRow, std::ptrdiff_t rowStep,
                  TMemoryStream& output, const JpegProgress* progress) {
    CompressRun run(output, progress);
    Call(run, [&] {
        SetupEncoder(run, settings);
        j_compress_ptr c = &run.cinfo;
        jpeg_start_compress(c, TRUE);
        if (settings.metadata) WriteJpegMetadata(*c, *settings.metadata, settings.keepExif);
        while (c->next_scanline < c->image_height) {
            JSAMPROW row = const_cast<JSAMPROW>(topRow + std::ptrdiff_t(c->next_scanline) * rowStep);
            jpeg_write_scanlines(c, &row, 1);
        }
        jpeg_finish_compress(c);
    });
}

// The bytes come first among the bases, so they are there before the codec's source points into
// them and still there until the codec is gone.
struct HeldBytes {
    std::shared_ptr<const TMemoryStream> bytes;
};

struct JpegDecompressor::Codec : HeldBytes, DecompressRun {
    Codec(std::shared_ptr<const TMemoryStream> held, const JpegProgress* progress)
        : HeldBytes{std::move(held)}, DecompressRun(*HeldBytes::bytes, progress) {}
};

JpegDecompressor::JpegDecompressor(std::shared_ptr<const TMemoryStream> bytes,
                                   const JpegDecodeSettings& settings, const JpegProgress* progress)
    : codec_(std::make_unique<Codec>(std::move(bytes), progress)) {
    Call(*codec_, [&] { SetupDecoder(*codec_, settings); });
}

JpegDecompressor::~JpegDecompressor() = default;

bool JpegDecompressor::Quantized() const {
    return codec_->cinfo.quantize_colors;
}

bool JpegDecompressor::HasMultipleScans() const {
    return codec_->multipleScans;
}

platform::TPoint JpegDecompressor::OutputSize() {
    Call(*codec_, [&] { jpeg_calc_output_dimensions(&codec_->cinfo); });
    return platform::TPoint{int(codec_->cinfo.output_width), int(codec_->cinfo.output_height)};
}

bool JpegDecompressor::UseColorMap(const platform::Palette& colors) {
    j_decompress_ptr c = &codec_->cinfo;
    // out_color_components is not known before the output is computed; the colour space tells.
    if (!c->quantize_colors || c->out_color_space != JCS_EXT_BGR || colors.empty()) return false;
    int count = colors.size() > 256 ? 256 : int(colors.size());
    Call(*codec_, [&] {
        c->colormap =
            (*c->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(c), JPOOL_IMAGE, JDIMENSION(count), 3);
    });
    for (int i = 0; i < count; ++i) {
        c->colormap[0][i] = colors[i].blue;
        c->colormap[1][i] = colors[i].green;
        c->colormap[2][i] = colors[i].red;
    }
    c->actual_number_of_colors = count;
    return true;
}

void JpegDecompressor::Decode(JpegDecodeTarget& target, bool codecPaletteAllowed) {
    DecompressRun& run = *codec_;
    j_decompress_ptr c = &run.cinfo;
    Call(run, [&] { jpeg_calc_output_dimensions(c); });
    CheckOutput(run);
    Call(run, [&] { jpeg_start_decompress(c); });
    target.Begin(int(c->output_width), int(c->output_height));
    if (run.buffered) ShowScans(run, target, codecPaletteAllowed);
    if ((!run.buffered || run.finalTwoPass) && c->colormap && c->quantize_colors && codecPaletteAllowed)
        DeliverColorMap(run, target);
    ReadRows(run, target);
    target.PassDone();
    Call(run, [&] {
        if (run.buffered) jpeg_finish_output(c);
        jpeg_finish_decompress(c);
    });
}

void CheckJpegWritable(std::int64_t width, std::int64_t height) {
    if (width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION) Raise(nullptr, JERR_IMAGE_TOO_BIG);
}

JpegHeader JpegReadHeader(const TMemoryStream& bytes) {
    DecompressRun run(bytes, nullptr);
    JpegHeader header;
    Call(run, [&] {
        run.Open(true);
        header.width = int(run.cinfo.image_width);
        header.height = int(run.cinfo.image_height);
        header.isGray = run.cinfo.jpeg_color_space == JCS_GRAYSCALE;
        header.progressive = jpeg_has_multiple_scans(&run.cinfo);
    });
    ReadMetadataMarkers(run, header.metadata);
    return header;
}

#include "formats/WebpReader.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <memory>
#include <vector>

#include "core/Errors.h"
#include "formats/DecodedRaster.h"

namespace {

constexpr const char* Kind = "WebP";
// Enough for the header of any of the three layouts (simple lossy, lossless, extended).
constexpr std::size_t HeaderBytes = 64;

std::string ReasonOf(VP8StatusCode status) {
    switch (status) {
        case VP8_STATUS_OUT_OF_MEMORY:
            throw EOutOfMemory(ErrorText::OutOfResources);
        case VP8_STATUS_NOT_ENOUGH_DATA:
            return "the file ends early";
        case VP8_STATUS_UNSUPPORTED_FEATURE:
            return "a feature the decoder does not support";
        case VP8_STATUS_INVALID_PARAM:
        case VP8_STATUS_BITSTREAM_ERROR:
        default:
            return "the compressed data is damaged";
    }
}

std::vector<std::uint8_t> WholeFile(TStream& stream) {
    const std::int64_t size = stream.Remaining();
    // A RIFF file declares at most 4 GiB; more is no WebP file.
    if (size <= 0 || size > std::int64_t(0xFFFFFFFF) + 8) ThrowInvalidPicture(Kind);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

struct DemuxDeleter {
    void operator()(WebPDemuxer* demux) const { WebPDemuxDelete(demux); }
};

std::vector<std::uint8_t> Chunk(WebPDemuxer* demux, const char* fourcc) {
    WebPChunkIterator chunk;
    std::vector<std::uint8_t> bytes;
    if (WebPDemuxGetChunk(demux, fourcc, 1, &chunk))
        bytes.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
    return bytes;
}

// The frame's pixels go straight into its place on the canvas (with alpha when the canvas has it).
void DecodeFrame(const WebPIterator& frame, platform::Bitmap& canvas) {
    const std::size_t pixelBytes = canvas.BitCount() / 8;
    if (frame.x_offset < 0 || frame.y_offset < 0 || frame.width <= 0 || frame.height <= 0 ||
        frame.x_offset + frame.width > canvas.Width() || frame.y_offset + frame.height > canvas.Height())
        ThrowInvalidPicture(Kind, "the first frame lies outside the canvas");
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) ThrowInvalidPicture(Kind, "the decoder does not start");
    config.output.colorspace = pixelBytes == 4 ? MODE_BGRA : MODE_BGR;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = canvas.ScanLine(frame.y_offset) + std::size_t(frame.x_offset) * pixelBytes;
    config.output.u.RGBA.stride = int(canvas.Stride());
    config.output.u.RGBA.size =
        std::size_t(canvas.Stride()) * (frame.height - 1) + std::size_t(frame.width) * pixelBytes;
    const VP8StatusCode status = WebPDecode(frame.fragment.bytes, frame.fragment.size, &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK) ThrowInvalidPicture(Kind, ReasonOf(status));
}

}  // namespace

void ReadWebp(TBitmap& bitmap, TStream& stream) {
    const std::vector<std::uint8_t> bytes = WholeFile(stream);
    const WebPData data{bytes.data(), bytes.size()};
    std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&data));
    if (!demux) ThrowInvalidPicture(Kind, "the file's chunks are damaged or cut short");
    const std::int64_t width = WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH);
    const std::int64_t height = WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT);
    WebPIterator frame;
    if (!WebPDemuxGetFrame(demux.get(), 1, &frame)) ThrowInvalidPicture(Kind, "the file holds no frame");
    // A frame with alpha, or one that leaves part of the canvas bare, is put over white afterwards.
    const bool alpha = frame.has_alpha || frame.x_offset != 0 || frame.y_offset != 0 ||
                       frame.width != width || frame.height != height;
    std::unique_ptr<platform::Bitmap> canvas;
    try {
        canvas = NewDecodedRaster(Kind, width, height, alpha);
        DecodeFrame(frame, *canvas);
    } catch (...) {
        WebPDemuxReleaseIterator(&frame);
        throw;
    }
    WebPDemuxReleaseIterator(&frame);
    if (alpha) FlattenOntoWhite(*canvas);
    TPictureMetadata metadata;
    metadata.iccProfile = Chunk(demux.get(), "ICCP");
    metadata.exif = Chunk(demux.get(), "EXIF");
    metadata.xmp = Chunk(demux.get(), "XMP ");
    InstallDecodedRaster(bitmap, std::move(canvas), std::move(metadata));
}

std::optional<DeclaredSize> WebpDeclaredSize(TStream& stream) {
    std::uint8_t header[HeaderBytes];
    const std::size_t count = ReadUpTo(stream, header, sizeof header);
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(header, count, &features) != VP8_STATUS_OK) return std::nullopt;
    return DeclaredSize{features.width, features.height};
}

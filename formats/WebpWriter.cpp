#include "formats/WebpWriter.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <memory>

#include "core/Errors.h"
#include "core/TBitmap.h"
#include "core/TStream.h"
#include "formats/BgrRows.h"
#include "formats/RgbProfile.h"

namespace {

[[noreturn]] void Refuse(const std::string& reason) {
    throw EInvalidGraphic("WebP image could not be written: " + reason);
}

const char* EncodingError(WebPEncodingError error) {
    switch (error) {
        case VP8_ENC_ERROR_OUT_OF_MEMORY:
        case VP8_ENC_ERROR_BITSTREAM_OUT_OF_MEMORY:
            return "out of memory";
        case VP8_ENC_ERROR_BAD_DIMENSION:
            return "a side is longer than 16383 pixels";
        case VP8_ENC_ERROR_PARTITION0_OVERFLOW:
        case VP8_ENC_ERROR_PARTITION_OVERFLOW:
            return "the picture is too large for one frame";
        case VP8_ENC_ERROR_FILE_TOO_BIG:
            return "the file would pass 4 GB";
        default:
            return "encoder error";
    }
}

struct Picture : WebPPicture {
    Picture() { WebPPictureInit(this); }
    ~Picture() { WebPPictureFree(this); }
};

struct Memory : WebPMemoryWriter {
    Memory() { WebPMemoryWriterInit(this); }
    ~Memory() { WebPMemoryWriterClear(this); }
};

struct AssembledFile : WebPData {
    AssembledFile() { WebPDataInit(this); }
    ~AssembledFile() { WebPDataClear(this); }
};

struct MuxRelease {
    void operator()(WebPMux* mux) const { WebPMuxDelete(mux); }
};

WebPConfig Config(const WebpWriteSettings& settings) {
    WebPConfig config;
    if (!WebPConfigInit(&config)) Refuse("the library does not match its headers");
    config.lossless = settings.lossless ? 1 : 0;
    config.quality = settings.lossless ? 25.f : float(settings.quality);  // lossless: effort, kept low
    config.method = settings.lossless ? 0 : 2;  // fast: a converter's pace, small cost in size
    return config;
}

void Encode(const BgrRows& rows, const WebpWriteSettings& settings, Memory& output) {
    const WebPConfig config = Config(settings);
    Picture picture;
    picture.use_argb = settings.lossless ? 1 : 0;
    picture.width = rows.Width();
    picture.height = rows.Height();
    picture.writer = WebPMemoryWrite;
    picture.custom_ptr = &output;
    if (!WebPPictureImportBGR(&picture, rows.Row(0), int(rows.Step())))
        Refuse(EncodingError(picture.error_code));
    if (!WebPEncode(&config, &picture)) Refuse(EncodingError(picture.error_code));
}

// The file with a colour-profile chunk added (the extended header follows from it).
void AddProfile(Memory& file, const std::vector<std::uint8_t>& profile, TStream& stream) {
    std::unique_ptr<WebPMux, MuxRelease> mux(WebPMuxNew());
    if (!mux) Refuse("out of memory");
    const WebPData image{file.mem, file.size};
    const WebPData chunk{profile.data(), profile.size()};
    AssembledFile assembled;
    if (WebPMuxSetImage(mux.get(), &image, 0) != WEBP_MUX_OK ||
        WebPMuxSetChunk(mux.get(), "ICCP", &chunk, 0) != WEBP_MUX_OK ||
        WebPMuxAssemble(mux.get(), &assembled) != WEBP_MUX_OK)
        Refuse("the colour profile could not be added");
    stream.WriteBuffer(assembled.bytes, assembled.size);
}

}  // namespace

void WriteWebpFile(const TBitmap& raster, const WebpWriteSettings& settings, const std::string& path) {
    const BgrRows rows(raster);
    if (rows.Width() == 0) throw EInvalidGraphic(ErrorText::EmptyPicture);
    Memory file;
    Encode(rows, settings, file);
    TFileStream stream(path, fmCreate);
    const std::vector<std::uint8_t>& profile = raster.Metadata().iccProfile;
    if (IsRgbProfile(profile))
        AddProfile(file, profile, stream);
    else
        stream.WriteBuffer(file.mem, file.size);
}

#include "formats/TJPEGImage.h"

#include "core/Errors.h"
#include "core/LengthPrefix.h"
#include "formats/ExifOrientation.h"
#include "formats/JpegCodec.h"
#include "formats/JpegEncodeSnapshot.h"
#include "formats/OrientingDecodeTarget.h"
#include "platform/DeviceContext.h"

// Decoded rows go straight into the cached raster.
class TJPEGImage::RasterTarget : public JpegDecodeTarget {
public:
    explicit RasterTarget(TJPEGImage& image) : image_(image) {}
    void Begin(int width, int height) override {
        image_.decoded_->SetWidth(width);
        image_.decoded_->SetHeight(height);
    }
    std::uint8_t* Row(int y) override { return image_.decoded_->Row(y); }
    void ColorMap(const platform::Palette& colors) override {
        image_.InstallDecodedPalette(std::make_shared<const platform::Palette>(colors));
        image_.SetPaletteModified(true);
    }

private:
    TJPEGImage& image_;
};

namespace {

JpegDecodeSettings DecoderSettings(const TJPEGImage& image) {
    JpegDecodeSettings s;
    s.scale = image.DecodeScale() <= ScaleEighth ? int(image.DecodeScale()) : 0;
    s.blockSmoothing = image.BlockSmoothing;
    s.grayOutput = image.GrayOutput;
    s.depth8 = image.DecodeDepth == Depth8;
    s.fast = image.DecodeSpeed == Fast;
    s.showScans = image.ShowScans;
    return s;
}

bool LowColorScreen() {
    return platform::ScreenBitsPerPixel * platform::ScreenPlanes <= 8;
}

}  // namespace

TJPEGImage::TJPEGImage()
    : BlockSmoothing(DefaultJpegSettings.BlockSmoothing),
      GrayOutput(DefaultJpegSettings.GrayOutput),
      DecodeDepth(DefaultJpegSettings.DecodeDepth),
      ShowScans(DefaultJpegSettings.ShowScans),
      DecodeSpeed(DefaultJpegSettings.DecodeSpeed),
      decodeScale_(DefaultJpegSettings.DecodeScale) {
    ResetStore();
}

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::ResetStore() {
    store_ = std::make_shared<TJPEGData>();
    needsRecalc_ = true;
}

void TJPEGImage::ResetBitmap() {
    decoded_ = std::make_unique<TBitmap>();
}

void TJPEGImage::CopyFrom(TGraphic* source) {
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(source)) {
        if (jpeg == this) return;
        store_ = jpeg->store_;
        SetMetadata(jpeg->Metadata());
        needsRecalc_ = true;
        // A raster left from earlier content would no longer match the shared bytes.
        decoded_.reset();
        if (jpeg->decoded_) {
            ResetBitmap();
            decoded_->CopyFrom(jpeg->decoded_.get());
        }
    } else if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        ResetStore();
        ResetBitmap();
        decoded_->CopyFrom(bitmap);
        // The bytes encoded from these rows hold them as they are, upright.
        TPictureMetadata metadata = bitmap->Metadata();
        metadata.orientation = 1;
        SetMetadata(std::move(metadata));
    } else {
        throw EConvertError(
            Format(ErrorText::AssignError, source ? source->ClassName() : "nil", ClassName()));
    }
}

void TJPEGImage::CopyTo(TGraphic& target) {
    auto* bitmap = dynamic_cast<TBitmap*>(&target);
    if (!bitmap) throw EConvertError(Format(ErrorText::AssignError, ClassName(), target.ClassName()));
    bitmap->CopyFrom(&DecodedBitmap());
    // The rows were turned upright as they were decoded.
    TPictureMetadata metadata = Metadata();
    metadata.orientation = 1;
    bitmap->SetMetadata(std::move(metadata));
}

void TJPEGImage::Encode(const JpegWriteSettings& settings) {
    if (store_->Bytes) ResetStore();  // never alter bytes another image may share
    store_->Bytes = std::make_unique<TMemoryStream>();
    if (!decoded_ || decoded_->Width() == 0 || decoded_->Height() == 0) return;

    store_->Width = decoded_->Width();
    store_->Height = decoded_->Height();
    if (settings.grayscale) store_->IsGray = true;
    store_->Progressive = settings.progressive;
    const JpegEncodeSnapshot snapshot(*this, settings);
    JpegProgress progress{[this](std::uint8_t percent, bool redraw, const TRect& rect) {
        Progress(psRunning, percent, redraw, rect);
    }};
    try {
        Progress(psStarting, 0, false, TRect{});
        try {
            snapshot.Compress(settings.quality, *store_->Bytes, &progress);
        } catch (...) {
            Progress(psEnding, 0, false, TRect{});
            throw;
        }
        Progress(psEnding, 100, false, TRect{});
    } catch (const EAbort&) {
        ResetStore();
    } catch (...) {
        // Half-written bytes must not pass for an encoded picture later.
        ResetStore();
        throw;
    }
}

void TJPEGImage::EnsureEncoded() {
    if (!store_->Bytes) Encode(DefaultJpegWriteSettings());
}

void TJPEGImage::WriteToStream(TStream& stream) {
    EnsureEncoded();
    const TMemoryStream& bytes = *store_->Bytes;
    std::size_t size = std::size_t(bytes.DataSize());
    if (size > 0) stream.WriteBuffer(bytes.Memory(), size);  // EWriteError with the reason when short
}

void TJPEGImage::WriteToFile(const std::string& path) {
    EnsureEncoded();  // a failing encode leaves an existing file untouched
    TGraphic::WriteToFile(path);
}

void TJPEGImage::ReadFromStream(TStream& stream) {
    ReadStore(stream.Remaining(), stream);
}

void TJPEGImage::ReadPictureData(TStream& stream) {
    ReadStore(ReadLengthPrefix(stream), stream);
}

void TJPEGImage::WritePictureData(TStream& stream) {
    std::uint32_t count = store_->Bytes ? std::uint32_t(store_->Bytes->DataSize()) : 0;
    WriteLengthPrefix(stream, count);
    if (count > 0) stream.WriteBuffer(store_->Bytes->Memory(), count);
}

void TJPEGImage::ReadStore(std::int64_t count, TStream& stream) {
    ResetStore();
    decoded_.reset();
    // A count beyond what the stream holds cannot be satisfied: refuse before allocating it.
    if (count < 0 || count > stream.Remaining()) throw EReadError(ErrorText::StreamRead);
    auto bytes = std::make_unique<TMemoryStream>();
    bytes->SetSize(count);
    if (count > 0) stream.ReadBuffer(bytes->Memory(), std::size_t(count));
    bytes->SetPosition(0);
    store_->Bytes = std::move(bytes);
    SetMetadata({});
    if (count > 0) {
        JpegHeader header = JpegReadHeader(*store_->Bytes);
        store_->Width = header.width;
        store_->Height = header.height;
        store_->IsGray = header.isGray;
        store_->Progressive = header.progressive;
        header.metadata.orientation = ReadExifOrientation(header.metadata.exif);
        SetMetadata(std::move(header.metadata));
    }
    SetPaletteModified(true);
    Changed();
}

TBitmap& TJPEGImage::DecodedBitmap() {
    if (decoded_) return *decoded_;
    decoded_ = std::make_unique<TBitmap>();
    if (!store_->Bytes) return *decoded_;  // never given content: nothing for the codec to read

    JpegProgress progress{[this](std::uint8_t percent, bool redraw, const TRect& rect) {
        Progress(psRunning, percent, redraw, rect);
    }};
    JpegDecompressor decoder(store_->Bytes, DecoderSettings(*this), &progress);
    try {
        try {
            decoded_->SetRasterFormat(decoder.Quantized() ? rf8Bit : rf24Bit);
            Progress(psStarting, 0, false, TRect{});
            bool codecPalette = true;
            if (tempPalette_ && DecodeDepth == Depth8) {
                if (decoder.UseColorMap(*tempPalette_)) {
                    InstallDecodedPalette(std::make_shared<const platform::Palette>(*tempPalette_));
                    codecPalette = false;
                }
            } else if (tempPalette_) {
                tempPalette_.reset();
            }
            RasterTarget target(*this);
            const int orientation = Metadata().orientation;
            if (orientation == 1) {
                decoder.Decode(target, codecPalette);
            } else {
                OrientingDecodeTarget oriented(target, orientation, decoder.Quantized() ? 1 : 3);
                decoder.Decode(oriented, codecPalette);
            }
        } catch (...) {
            FinishDecoding(false);
            throw;
        }
        FinishDecoding(true);
    } catch (const EAbort&) {
        // Cancelled: the raster keeps what was decoded.
    }
    return *decoded_;
}

void TJPEGImage::FinishDecoding(bool succeeded) {
    Progress(psEnding, succeeded ? 100 : 0, PaletteModified(), TRect{});
    if (PaletteModified()) Changed();
}

void TJPEGImage::InstallDecodedPalette(const platform::HPALETTE& palette) {
    decoded_->SetColorTable(*palette);
    decoded_->SetPalette(palette);
}

void TJPEGImage::DrawInRect(TCanvas& canvas, const TRect& rect) {
    DecodedBitmap().DrawInRect(canvas, rect);
}

bool TJPEGImage::IsEmpty() const {
    if (store_->Bytes) return false;
    return !decoded_ || decoded_->IsEmpty();
}

// The sides as the rows are stored, before they are turned upright.
int TJPEGImage::StoredWidth() const {
    if (decodeScale_ == ScaleFull) return store_->Width;
    MeasureScaled();
    return scaledWidth_;
}

int TJPEGImage::StoredHeight() const {
    if (decodeScale_ == ScaleFull) return store_->Height;
    MeasureScaled();
    return scaledHeight_;
}

int TJPEGImage::Width() const {
    if (decoded_) return decoded_->Width();
    return OrientationSwapsSides(Metadata().orientation) ? StoredHeight() : StoredWidth();
}

int TJPEGImage::Height() const {
    if (decoded_) return decoded_->Height();
    return OrientationSwapsSides(Metadata().orientation) ? StoredWidth() : StoredHeight();
}

void TJPEGImage::MeasureScaled() const {
    if (!needsRecalc_) return;
    scaledWidth_ = scaledHeight_ = 0;
    if (store_->Bytes && store_->Bytes->DataSize() > 0) {
        JpegDecompressor decoder(store_->Bytes, DecoderSettings(*this), nullptr);
        platform::TPoint size = decoder.OutputSize();
        scaledWidth_ = size.X;
        scaledHeight_ = size.Y;
    }
    needsRecalc_ = false;
}

void TJPEGImage::SetDecodeScale(TJPEGDecodeScale value) {
    if (value == decodeScale_) return;
    decodeScale_ = value;
    needsRecalc_ = true;
}

void TJPEGImage::SetWidth(int) {
    throw EInvalidGraphicOperation(ErrorText::ChangeJpegSize);
}

void TJPEGImage::SetHeight(int) {
    throw EInvalidGraphicOperation(ErrorText::ChangeJpegSize);
}

platform::HPALETTE TJPEGImage::Palette() {
    if (decoded_) return decoded_->Palette();
    if (tempPalette_) return tempPalette_;
    if (DecodeDepth == Depth8) return nullptr;
    if (LowColorScreen()) {
        tempPalette_ = std::make_shared<const platform::Palette>(platform::HalftonePalette());
        return tempPalette_;
    }
    return nullptr;
}

void TJPEGImage::SetPalette(platform::HPALETTE palette) {
    if (palette == tempPalette_) return;
    bool dropped = false;
    if (decoded_ && decoded_->Palette() != palette) {
        DropBitmap();  // decoded again with the new palette
        dropped = true;
    }
    tempPalette_ = std::move(palette);
    if (dropped) {
        SetPaletteModified(true);
        Changed();
    }
}

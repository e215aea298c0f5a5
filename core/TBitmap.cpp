#include "core/TBitmap.h"

#include <cstring>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "core/Errors.h"
#include "core/LengthPrefix.h"
#include "core/RasterCopy.h"
#include "core/TStream.h"

namespace {

// Bits per pixel by raster format, in TRasterFormat's order; 0 where no bit count is set.
constexpr int BitCounts[] = {0, 1, 4, 8, 16, 16, 24, 32, 0};
static_assert(std::size(BitCounts) == rfCustom + 1, "one bit count per raster format");
static_assert(BitCounts[rfDevice] == 0 && BitCounts[rf1Bit] == 1 && BitCounts[rf4Bit] == 4 &&
                  BitCounts[rf8Bit] == 8 && BitCounts[rf15Bit] == 16 && BitCounts[rf16Bit] == 16 &&
                  BitCounts[rf24Bit] == 24 && BitCounts[rf32Bit] == 32 && BitCounts[rfCustom] == 0,
              "the bit counts follow TRasterFormat's order");

const TBitmapFileFormat* installedFormat = nullptr;

const TBitmapFileFormat& InstalledFormat() {
    if (!installedFormat)
        throw std::logic_error(
            "TBitmap has no BMP file format: the formats layer installs it at start-up "
            "(InstallPictureKinds), before any bitmap reads or writes a file");
    return *installedFormat;
}

// Runs a platform raster maker, turning its refusal into the error the user sees.
template <typename Make>
auto MakeRaster(Make make) {
    try {
        return make();
    } catch (const platform::RasterError& e) {
        throw EOutOfResources(e.message ? e.message : ErrorText::OutOfResources);
    }
}

std::uint32_t ToPixel(TColor c) {
    return ((c >> 16) & 0xFF) | (c & 0xFF00) | ((c & 0xFF) << 16);
}

const std::vector<platform::RGBQuad> BlackWhite = {{0, 0, 0, 0}, {255, 255, 255, 0}};

// The colour table for an indexed raster that has none of its own yet.
std::vector<platform::RGBQuad> DefaultColors(int bitCount, const platform::HPALETTE& palette) {
    if (bitCount == 1) return BlackWhite;
    if (palette && !palette->empty()) return *palette;
    if (bitCount == 4) return platform::SystemPalette16();
    return platform::HalftonePalette();
}

// A copy of a whole store: description, pixels and kept file bytes.
std::shared_ptr<TBitmapImage> CopyOf(const TBitmapImage& store) {
    auto copy = std::make_shared<TBitmapImage>(store.Description());
    if (store.handle) copy->handle = MakeRaster([&] { return store.handle->Clone(); });
    copy->savedStream = store.savedStream;
    return copy;
}

// The description takes the raster's layout; the palette and what the file said stay.
void SyncDescription(TBitmapImage& image) {
    const platform::Bitmap& raster = *image.handle;
    image.description = raster.info;
    std::memcpy(image.masks, raster.masks, sizeof image.masks);
    image.hasLayout = true;
    image.deviceDependent = raster.deviceDependent;
    image.monochrome = raster.Monochrome();
}

}  // namespace

bool TBitmapCanvas::CreateHandle(platform::DeviceContext& context) {
    context.SelectBitmap(bitmap_.ReadyRaster());  // none for an empty bitmap: drawing does nothing
    return true;
}

TBitmap::TBitmap() : image_(std::make_shared<TBitmapImage>()) {}

TBitmap::~TBitmap() = default;

const TBitmapFileFormat* TBitmap::InstallFileFormat(const TBitmapFileFormat* format) {
    return std::exchange(installedFormat, format);
}

// ---- store management -------------------------------------------------------------------------

void TBitmap::DetachSurface() {
    if (surface_) surface_->Release();
}

TBitmapImage& TBitmap::OwnStore() {
    if (image_.use_count() > 1) {
        image_ = CopyOf(*image_);
        DetachSurface();
    }
    return *image_;
}

void TBitmap::ReplaceRaster(std::unique_ptr<platform::Bitmap> raster) {
    if (image_.use_count() > 1) image_ = std::make_shared<TBitmapImage>(image_->Description());
    DetachSurface();
    TBitmapImage& image = *image_;
    image.handle = std::move(raster);
    image.savedStream.clear();
    if (image.handle) SyncDescription(image);
}

platform::Bitmap* TBitmap::ReadyRaster() {
    return image_->handle.get();
}

void TBitmap::AssignImage(std::shared_ptr<TBitmapImage> image) {
    image_ = image ? std::move(image) : std::make_shared<TBitmapImage>();
    if (image_->handle) SyncDescription(*image_);
    DetachSurface();
    paletteModified_ = image_->palette != nullptr;
    Changed();
}

// ---- size ---------------------------------------------------------------------------------------

bool TBitmap::IsEmpty() const {
    return !image_->handle;
}
int TBitmap::BitsPerPixel() const {
    return image_->handle ? image_->handle->BitCount() : 0;
}

int TBitmap::Width() const {
    return image_->description.width;
}

int TBitmap::Height() const {
    const std::int64_t h = image_->description.height;
    return int(h < 0 ? -h : h);
}

void TBitmap::SetWidth(int value) {
    if (value != Width()) Resize(value, Height(), true);
}

void TBitmap::SetHeight(int value) {
    if (value != Height()) Resize(Width(), value, false);
}

std::uint32_t TBitmap::WhitePixel() const {
    return surface_ ? ToPixel(platform::ColorToRGB(surface_->Brush().Color())) : 0xFFFFFF;
}

// A raster in this bitmap's layout; one never given a layout becomes device-dependent.
std::unique_ptr<platform::Bitmap> TBitmap::NewRasterLike(int width, int height, bool topDown) const {
    const TBitmapImage& image = *image_;
    if (!image.hasLayout || image.deviceDependent) {
        if (image.monochrome)
            return MakeRaster([&] { return platform::Bitmap::CreateMonochrome(width, height); });
        return MakeRaster([&] { return platform::Bitmap::CreateDevice(width, height); });
    }
    platform::BitmapInfoHeader header = image.description;
    header.width = width;
    header.height = topDown ? -height : height;
    header.sizeImage = 0;
    const int bits = header.bitCount;
    const auto colors =
        image.handle ? image.handle->colors
                     : (bits <= 8 ? DefaultColors(bits, image.palette) : std::vector<platform::RGBQuad>{});
    const bool bitFields = header.compression == platform::BI_BITFIELDS;
    return MakeRaster(
        [&] { return platform::Bitmap::CreateDib(header, colors, bitFields ? image.masks : nullptr); });
}

void TBitmap::Resize(int width, int height, bool keepOrder) {
    const bool topDown =
        keepOrder && image_->description.height < 0 && image_->hasLayout && !image_->deviceDependent;
    if (width == 0 || height == 0) {
        // Only the dimension is recorded; pixels come when both are set.
        ReplaceRaster(nullptr);
        image_->description.width = width;
        image_->description.height = topDown ? -height : height;
        Changed();
        return;
    }
    auto raster = NewRasterLike(width, height, topDown);
    raster::Fill(*raster, WhitePixel());
    if (image_->handle) raster::CopyTopLeft(*image_->handle, *raster);
    ReplaceRaster(std::move(raster));
    Changed();
}

// ---- pixel formats ------------------------------------------------------------------------------

TRasterFormat TBitmap::RasterFormat() const {
    const TBitmapImage& image = *image_;
    if (!image.hasLayout || image.deviceDependent) return rfDevice;
    const auto& d = image.description;
    switch (d.bitCount) {
        case 1:
            return rf1Bit;
        case 4:
            return rf4Bit;
        case 8:
            return rf8Bit;
        case 16:
            if (d.compression == platform::BI_RGB) return rf15Bit;
            return d.compression == platform::BI_BITFIELDS && image.masks[1] == 0x07E0 ? rf16Bit : rfCustom;
        case 24:
            return rf24Bit;
        case 32:
            return d.compression == platform::BI_RGB ? rf32Bit : rfCustom;
        default:
            return rfCustom;
    }
}

void TBitmap::SetRasterFormat(TRasterFormat value) {
    if (value == RasterFormat()) return;
    if (value == rfCustom) throw EInvalidGraphic(ErrorText::InvalidPixelFormat);
    if (value == rfDevice) {
        ConvertToDevice();
        return;
    }
    const int bits = BitCounts[value];
    const auto* old = image_->handle.get();

    platform::HPALETTE handed = image_->palette;
    if (value == rf4Bit) handed = std::make_shared<const platform::Palette>(platform::SystemPalette16());
    if (value == rf8Bit) handed = std::make_shared<const platform::Palette>(platform::HalftonePalette());

    platform::BitmapInfoHeader header;
    header.width = Width();
    header.height = Height();
    header.bitCount = std::uint16_t(bits);
    header.compression = value == rf16Bit ? platform::BI_BITFIELDS : platform::BI_RGB;
    header.xPelsPerMeter = image_->description.xPelsPerMeter;
    header.yPelsPerMeter = image_->description.yPelsPerMeter;
    const std::uint32_t masks565[3] = {0xF800, 0x07E0, 0x001F};

    std::vector<platform::RGBQuad> colors;
    if (bits <= 8) {
        if (bits == 1 && (!old || old->deviceDependent))
            colors = BlackWhite;
        else if (handed)
            colors = *handed;
        else if (old)
            colors = old->colors;
        // A 1-bit table taken from a raster without one would leave every pixel colourless.
        if (colors.empty()) colors = BlackWhite;
    }
    // The halftone palette serves the conversion only; the raster keeps its own palette.
    const platform::HPALETTE kept = value == rf8Bit ? image_->palette : handed;

    if (!old) {
        TBitmapImage& image = OwnStore();
        image.description = header;
        std::memcpy(image.masks, masks565, sizeof masks565);
        image.hasLayout = true;
        image.deviceDependent = image.monochrome = false;
        image.palette = kept;
    } else {
        auto raster = MakeRaster([&] { return platform::Bitmap::CreateDib(header, colors, masks565); });
        raster::CopyTopLeft(*old, *raster);
        ReplaceRaster(std::move(raster));
        image_->palette = kept;
    }
    paletteModified_ = handed != nullptr;
    Changed();
}

void TBitmap::ConvertToDevice() {
    if (!image_->handle) {
        TBitmapImage& image = OwnStore();
        image.hasLayout = image.deviceDependent = true;
        image.monochrome = false;
        image.description.bitCount = 32;
        image.description.compression = platform::BI_RGB;
    } else {
        auto raster = MakeRaster([&] { return platform::Bitmap::CreateDevice(Width(), Height()); });
        raster::CopyTopLeft(*image_->handle, *raster);
        ReplaceRaster(std::move(raster));
    }
    Changed();
}

bool TBitmap::BlackAndWhite() const {
    const auto& d = image_->description;
    return image_->hasLayout && d.planes == 1 && d.bitCount == 1;
}

void TBitmap::SetBlackAndWhite(bool value) {
    if (value == BlackAndWhite()) return;
    if (!value) {
        ConvertToDevice();
        return;
    }
    if (!image_->handle) {
        TBitmapImage& image = OwnStore();
        image.hasLayout = image.deviceDependent = image.monochrome = true;
        image.description.bitCount = 1;
        image.description.compression = platform::BI_RGB;
    } else {
        auto raster = MakeRaster([&] { return platform::Bitmap::CreateMonochrome(Width(), Height()); });
        raster::ToBlackAndWhite(*image_->handle, *raster, WhitePixel());
        ReplaceRaster(std::move(raster));
    }
    Changed();
}

// ---- rows, surface, handle ----------------------------------------------------------------------

std::uint8_t* TBitmap::Row(int y) {
    if (!image_->handle || y < 0 || y >= Height())
        throw EInvalidGraphicOperation(ErrorText::ScanLineOutOfRange);
    Changing();
    return image_->handle->ScanLine(y);
}

std::ptrdiff_t TBitmap::RowStep() const {
    const auto* raster = image_->handle.get();
    if (!raster) return 0;
    return raster->TopDown() ? raster->Stride() : -raster->Stride();
}

TBitmapCanvas& TBitmap::Surface() {
    if (!surface_) {
        surface_ = std::make_unique<TBitmapCanvas>(*this);
        surface_->OnChanging = [this] { Changing(); };
        surface_->OnChange = [this] { Changed(); };
    }
    return *surface_;
}

platform::HBITMAP TBitmap::BitmapHandle() {
    DetachSurface();
    Changing();
    return image_->handle.get();
}

std::vector<platform::RGBQuad> TBitmap::ColorTable() const {
    const auto* raster = image_->handle.get();
    return raster && raster->BitCount() <= 8 ? raster->colors : std::vector<platform::RGBQuad>{};
}

void TBitmap::SetColorTable(const std::vector<platform::RGBQuad>& colors) {
    if (!image_->handle || image_->handle->BitCount() > 8) return;
    Changing();
    auto& table = image_->handle->colors;
    const std::size_t limit = std::size_t(1) << image_->handle->BitCount();
    table.assign(colors.begin(), colors.begin() + std::ptrdiff_t(std::min(colors.size(), limit)));
    Changed();
}

platform::HPALETTE TBitmap::Palette() {
    return image_->palette;
}

void TBitmap::SetPalette(platform::HPALETTE palette) {
    if (palette == image_->palette) return;
    OwnStore().palette = std::move(palette);
    paletteModified_ = image_->palette != nullptr;
    Changed();
}

// ---- copying and drawing ------------------------------------------------------------------------

void TBitmap::CopyFrom(TGraphic* source) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        image_ = bitmap->image_;
        metadata_ = bitmap->metadata_;
        transparent_ = bitmap->transparent_;
        transparentColor_ = bitmap->transparentColor_;
        transparentMode_ = bitmap->transparentMode_;
    } else if (!source) {
        image_ = std::make_shared<TBitmapImage>();
        metadata_ = {};
    } else {
        source->CopyTo(*this);  // the kind decides; refused unless it knows how
        return;
    }
    DetachSurface();
    paletteModified_ = image_->palette != nullptr;
    Changed();
}

void TBitmap::DrawInRect(TCanvas& canvas, const TRect& rect) {
    if (IsEmpty()) return;
    const platform::Bitmap& raster = *image_->handle;
    platform::DeviceContext& context = canvas.Context();
    const TRect source{0, 0, raster.Width(), raster.Height()};
    if (raster.Monochrome()) {
        context.StretchBlt(rect, raster, source);  // black in the text colour, white in the background
        return;
    }
    const bool halftone = platform::ScreenBitsPerPixel <= 8 && raster.BitCount() > 8;
    const int oldMode = context.SetStretchBltMode(halftone ? platform::HALFTONE : platform::COLORONCOLOR);
    context.StretchBlt(rect, raster, source);
    context.SetStretchBltMode(oldMode);
}

// ---- streams ------------------------------------------------------------------------------------

void TBitmap::ReadFromStream(TStream& stream) {
    const TBitmapFileFormat& format = InstalledFormat();
    DetachSurface();
    format.Read(*this, stream);
}

void TBitmap::WriteToStream(TStream& stream) {
    InstalledFormat().Write(*this, stream);
}

// The BMP is copied out first, so the reader cannot run past its own bytes into what follows.
void TBitmap::ReadPictureData(TStream& stream) {
    const std::uint32_t length = ReadLengthPrefix(stream);
    if (std::int64_t(length) > stream.Remaining()) throw EReadError(ErrorText::StreamRead);
    TMemoryStream bytes;
    bytes.SetSize(length);
    stream.ReadBuffer(bytes.Memory(), length);
    bytes.SetPosition(0);
    ReadFromStream(bytes);
}

void TBitmap::WritePictureData(TStream& stream) {
    TMemoryStream bytes;
    if (!IsEmpty()) WriteToStream(bytes);
    WriteLengthPrefix(stream, std::uint32_t(bytes.DataSize()));
    stream.WriteBuffer(bytes.Memory(), bytes.Data().size());
}

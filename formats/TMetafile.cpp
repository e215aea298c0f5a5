#include "formats/TMetafile.h"

#include <cstdlib>

#include "core/Errors.h"
#include "core/LengthPrefix.h"
#include "core/LittleEndianBytes.h"
#include "core/TStream.h"
#include "platform/DeviceContext.h"

namespace {

constexpr const char* InvalidMetafile = "Metafile is not valid";
// Metafiles of this program's world are small; a larger "metafile" is not read into memory.
constexpr std::int64_t MaxMetafileBytes = std::int64_t(64) << 20;

constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr std::size_t PlaceableHeaderSize = 22;
constexpr std::uint32_t EmfHeaderType = 1;
constexpr std::uint32_t EmfSignature = 0x464D4520;  // " EMF"
constexpr std::size_t EmfHeaderMinSize = 88;
constexpr int HundredthsMmPerInch = 2540;

// value * numerator / denominator, rounded half away from zero, in 64 bits.
int Scale(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t product = value * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t result =
        product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return int(std::llabs(result));
}

struct MetafileSize {
    int width = 0, height = 0;
    bool enhanced = false;
};

// Bounding box in units per inch (placeable WMF), or the frame in 0.01 mm (EMF), as screen pixels.
MetafileSize ReadSize(const std::vector<std::uint8_t>& bytes) {
    const std::uint8_t* p = bytes.data();
    if (bytes.size() >= PlaceableHeaderSize && le::Get32(p) == PlaceableKey) {
        const auto coord = [&](std::size_t offset) { return std::int16_t(le::Get16(p + offset)); };
        const int unitsPerInch = le::Get16(p + 14);
        if (unitsPerInch == 0) throw EInvalidGraphic(InvalidMetafile);
        return {Scale(coord(10) - coord(6), platform::ScreenDpi, unitsPerInch),
                Scale(coord(12) - coord(8), platform::ScreenDpi, unitsPerInch), false};
    }
    if (bytes.size() >= EmfHeaderMinSize && le::Get32(p) == EmfHeaderType &&
        le::Get32(p + 40) == EmfSignature) {
        const auto frame = [&](std::size_t offset) { return std::int64_t(le::GetS32(p + offset)); };
        return {Scale(frame(32) - frame(24), platform::ScreenDpi, HundredthsMmPerInch),
                Scale(frame(36) - frame(28), platform::ScreenDpi, HundredthsMmPerInch), true};
    }
    throw EInvalidGraphic(InvalidMetafile);
}

}  // namespace

void TMetafile::CopyFrom(TGraphic* source) {
    if (!source) {
        bytes_.reset();
        width_ = height_ = 0;
        enhanced_ = false;
    } else if (auto* metafile = dynamic_cast<TMetafile*>(source)) {
        bytes_ = metafile->bytes_;
        width_ = metafile->width_;
        height_ = metafile->height_;
        enhanced_ = metafile->enhanced_;
    } else {
        source->CopyTo(*this);
        return;
    }
    Changed();
}

// Playing metafile records is not offered: the box stays as it was.
void TMetafile::DrawInRect(TCanvas&, const TRect&) {}

// The size comes from the metafile's own header; resizing is ignored.
void TMetafile::SetWidth(int) {}
void TMetafile::SetHeight(int) {}

void TMetafile::ReadBytes(TStream& stream, std::int64_t count) {
    if (count <= 0 || count > MaxMetafileBytes) throw EInvalidGraphic(InvalidMetafile);
    auto bytes = std::make_shared<std::vector<std::uint8_t>>(std::size_t(count));
    stream.ReadBuffer(bytes->data(), bytes->size());
    const MetafileSize size = ReadSize(*bytes);
    bytes_ = std::move(bytes);
    width_ = size.width;
    height_ = size.height;
    enhanced_ = size.enhanced;
    Changed();
}

void TMetafile::ReadFromStream(TStream& stream) {
    ReadBytes(stream, stream.Remaining());
}

void TMetafile::WriteToStream(TStream& stream) {
    if (bytes_) stream.WriteBuffer(bytes_->data(), bytes_->size());
}

void TMetafile::ReadPictureData(TStream& stream) {
    const std::int64_t count = ReadLengthPrefix(stream);
    if (count > stream.Remaining()) throw EReadError(ErrorText::StreamRead);
    if (count == 0) return CopyFrom(nullptr);
    ReadBytes(stream, count);
}

void TMetafile::WritePictureData(TStream& stream) {
    WriteLengthPrefix(stream, bytes_ ? std::uint32_t(bytes_->size()) : 0);
    WriteToStream(stream);
}

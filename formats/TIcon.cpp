#include "formats/TIcon.h"

#include <algorithm>
#include <utility>

#include "core/Errors.h"
#include "core/LengthPrefix.h"
#include "core/LittleEndianBytes.h"
#include "core/TCanvas.h"
#include "formats/IcoReader.h"
#include "formats/IcoWriter.h"
#include "platform/Ceilings.h"
#include "platform/SystemMetrics.h"

namespace {

// 65,535 entries of up to 270 KB each with 32-bit offsets: the format allows files of gigabytes,
// and one of 255 full-size entries is 65 MB. Anything past the raster ceiling is not read in.
constexpr std::int64_t MaxIconFileBytes = platform::MaxRasterBytes;

}  // namespace

TIcon::TIcon() {
    transparent_ = true;
}

TIcon::~TIcon() = default;

void TIcon::NewImage() {
    image_ = std::make_shared<TIconImage>();
}

void TIcon::CopyFrom(TGraphic* source) {
    if (!source) {
        image_.reset();
    } else if (auto* icon = dynamic_cast<TIcon*>(source)) {
        image_ = icon->image_;
        requestedWidth_ = icon->requestedWidth_;
        requestedHeight_ = icon->requestedHeight_;
    } else {
        source->CopyTo(*this);
        return;
    }
    Changed();
}

void TIcon::DrawInRect(TCanvas& canvas, const TRect& rect) {
    platform::HICON icon = Handle();
    if (icon) platform::DrawIconEx(canvas.Context(), rect.Left, rect.Top, icon);
}

bool TIcon::IsEmpty() const {
    return !image_ || (!image_->handle && !image_->bytes);
}

int TIcon::Width() const {
    return image_ && image_->width ? image_->width : platform::GetSystemMetrics(platform::SM_CXICON);
}

int TIcon::Height() const {
    return image_ && image_->height ? image_->height : platform::GetSystemMetrics(platform::SM_CYICON);
}

void TIcon::SetWidth(int value) {
    if (image_ && image_->handle) throw EInvalidGraphicOperation(ErrorText::ChangeIconSize);
    if (value == requestedWidth_) return;
    requestedWidth_ = value;
    Changed();
}

void TIcon::SetHeight(int value) {
    if (image_ && image_->handle) throw EInvalidGraphicOperation(ErrorText::ChangeIconSize);
    if (value == requestedHeight_) return;
    requestedHeight_ = value;
    Changed();
}

void TIcon::ReadFromStream(TStream& stream) {
    const std::int64_t count = stream.Remaining();
    if (count < 0 || count > MaxIconFileBytes) throw EInvalidGraphic(ErrorText::InvalidIcon);
    auto bytes = std::make_unique<TMemoryStream>();
    bytes->SetSize(count);
    stream.ReadBuffer(bytes->Memory(), std::size_t(count));
    if (IcoFileType(bytes->Data()) == 1) {
        // Damaged files are refused now rather than on first paint; the handle itself is made on need.
        int width = 0, height = 0;
        ReadIcoHandle(bytes->Data(), WantedWidth(), WantedHeight(), width, height);
    }
    NewImage();
    image_->bytes = std::move(bytes);
    Changed();
}

void TIcon::WriteToStream(TStream& stream) {
    EnsureBytes();
    const TMemoryStream& bytes = *image_->bytes;
    stream.WriteBuffer(bytes.Memory(), std::size_t(bytes.DataSize()));
}

void TIcon::WriteToFile(const std::string& path) {
    // The bytes come first, so an icon that cannot be written leaves an existing file untouched.
    EnsureBytes();
    TFileStream file(path, fmCreate);
    WriteToStream(file);
}

void TIcon::ReadPictureData(TStream& stream) {
    const std::int64_t count = ReadLengthPrefix(stream);
    if (count > stream.Remaining()) throw EReadError(ErrorText::StreamRead);
    if (count == 0) {
        CopyFrom(nullptr);
        return;
    }
    TMemoryStream part;
    part.SetSize(count);
    stream.ReadBuffer(part.Memory(), std::size_t(count));
    part.SetPosition(0);
    ReadFromStream(part);
}

void TIcon::WritePictureData(TStream& stream) {
    const std::uint32_t count = IsEmpty() ? 0 : std::uint32_t(FileBytes().DataSize());
    WriteLengthPrefix(stream, count);
    if (count > 0) stream.WriteBuffer(image_->bytes->Memory(), count);
}

void TIcon::ReadFromClipboard() {
    throw EInvalidGraphic(ErrorText::IconClipboard);
}
void TIcon::WriteToClipboard() {
    throw EInvalidGraphic(ErrorText::IconClipboard);
}

void TIcon::AdoptHandle(platform::IconHandle handle) {
    NewImage();
    image_->handle = std::move(handle);
    Changed();
}

platform::HICON TIcon::Handle() {
    if (!image_) return nullptr;
    if (!image_->handle && image_->bytes) {
        int width = 0, height = 0;
        image_->handle = ReadIcoHandle(image_->bytes->Data(), WantedWidth(), WantedHeight(), width, height);
        image_->width = width;
        image_->height = height;
    }
    return image_->handle.get();
}

const TMemoryStream& TIcon::FileBytes() {
    EnsureBytes();
    return *image_->bytes;
}

void TIcon::EnsureBytes() {
    if (IsEmpty()) throw EInvalidGraphic(ErrorText::InvalidIcon);
    if (image_->bytes) return;
    auto bytes = std::make_unique<TMemoryStream>();
    bytes->Data() = MakeIcoBytes(image_->handle.get());
    image_->bytes = std::move(bytes);
}

int TIcon::WantedWidth() const {
    return requestedWidth_ > 0 ? requestedWidth_ : platform::GetSystemMetrics(platform::SM_CXICON);
}

int TIcon::WantedHeight() const {
    return requestedHeight_ > 0 ? requestedHeight_ : platform::GetSystemMetrics(platform::SM_CYICON);
}

int TIcon::BitsPerPixel() const {
    const TMemoryStream* bytes = image_ ? image_->bytes.get() : nullptr;
    if (!bytes || bytes->DataSize() < 6) return 0;
    const std::uint8_t* file = bytes->Memory();
    const std::int64_t size = bytes->DataSize();
    const std::int64_t count = le::Get16(file + 4);
    int deepest = 0;
    // Directory entries of 16 bytes after the 6-byte header: the bit count at offset 6, else (when
    // 0) that of the image's own 40-byte header, whose offset is at 12 (not of an embedded PNG).
    for (std::int64_t i = 0; i < count && 6 + (i + 1) * 16 <= size; ++i) {
        const std::uint8_t* entry = file + 6 + i * 16;
        int bits = le::Get16(entry + 6);
        const std::int64_t image = le::Get32(entry + 12);
        if (bits == 0 && image + 16 <= size && le::Get32(file + image) == 40)
            bits = le::Get16(file + image + 14);
        deepest = std::max(deepest, bits);
    }
    return deepest;
}

#include "formats/TIcon.h"

#include "core/Errors.h"

TIconImage::~TIconImage() {
    if (handle) platform::DestroyIcon(handle);
}

TIcon::TIcon() { transparent_ = true; }

TIcon::~TIcon() = default;

void TIcon::CopyFrom(TGraphic*) {}
void TIcon::DrawInRect(TCanvas&, const TRect&) {}
bool TIcon::IsEmpty() const { return !image_ || (!image_->handle && !image_->bytes); }
int TIcon::Width() const { return 32; }
int TIcon::Height() const { return 32; }
void TIcon::SetWidth(int) {}
void TIcon::SetHeight(int) {}
void TIcon::ReadPictureData(TStream&) {}
void TIcon::WritePictureData(TStream&) {}
void TIcon::WriteToFile(const std::string& path) { TGraphic::WriteToFile(path); }
void TIcon::ReadFromStream(TStream&) {}
void TIcon::WriteToStream(TStream&) {}
void TIcon::ReadFromClipboard() { throw EInvalidGraphic(ErrorText::IconClipboard); }
void TIcon::WriteToClipboard() { throw EInvalidGraphic(ErrorText::IconClipboard); }
void TIcon::AdoptHandle(platform::HICON) {}
platform::HICON TIcon::Handle() { return nullptr; }
const TMemoryStream& TIcon::FileBytes() { EnsureBytes(); return *image_->bytes; }
void TIcon::NewImage() { image_ = std::make_shared<TIconImage>(); }
void TIcon::EnsureBytes() {}

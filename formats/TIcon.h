#pragma once
#include <memory>
#include <string>

#include "core/TGraphic.h"
#include "formats/TIconImage.h"
#include "platform/Icon.h"

// An icon picture, made from a platform icon handle or from the bytes of an ICO file; each is made
// from the other on first need.
class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;

    const char* ClassName() const override { return "TIcon"; }
    std::unique_ptr<TGraphic> NewInstance() const override { return std::make_unique<TIcon>(); }

    void CopyFrom(TGraphic* source) override;  // another TIcon (shares its store) or none
    void DrawInRect(TCanvas& canvas, const TRect& rect) override;
    bool IsEmpty() const override;
    int Width() const override;
    int Height() const override;
    int BitsPerPixel() const override;  // the deepest image of the file
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    void ReadPictureData(TStream& stream) override;  // 4-byte length, then an ICO file
    void WritePictureData(TStream& stream) override;
    void WriteToFile(const std::string& path) override;
    void ReadFromStream(TStream& stream) override;  // ICO file, to the stream's end
    void WriteToStream(TStream& stream) override;

    // Clipboard exchange is not offered for icons: both throw EInvalidGraphic.
    void ReadFromClipboard();
    void WriteToClipboard();

    // Holds `handle` in a new store (no bytes, size 0 x 0) and notifies a change.
    void AdoptHandle(platform::IconHandle handle);
    // The platform icon, made from the file bytes on first need; null when empty.
    platform::HICON Handle();
    // The file bytes, made from the handle when missing.
    const TMemoryStream& FileBytes();

    const std::shared_ptr<TIconImage>& Image() const { return image_; }

private:
    void NewImage();
    void EnsureBytes();
    int WantedWidth() const;  // the requested size, else the system icon size
    int WantedHeight() const;

    std::shared_ptr<TIconImage> image_;
    int requestedWidth_ = 0;  // wanted size when choosing among a file's images
    int requestedHeight_ = 0;
};

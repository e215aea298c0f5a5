#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/TGraphic.h"

// A Windows metafile (placeable WMF or EMF) kept as its file bytes. Only its header is read, for
// the picture's size; nothing is drawn and the size cannot be changed.
class TMetafile : public TGraphic {
public:
    const char* ClassName() const override { return "TMetafile"; }
    std::unique_ptr<TGraphic> NewInstance() const override { return std::make_unique<TMetafile>(); }

    void CopyFrom(TGraphic* source) override;  // another TMetafile (shares its bytes) or none
    void DrawInRect(TCanvas& canvas, const TRect& rect) override;
    bool IsEmpty() const override { return bytes_ == nullptr; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    void ReadPictureData(TStream& stream) override;  // 4-byte length, then the metafile
    void WritePictureData(TStream& stream) override;
    void ReadFromStream(TStream& stream) override;  // to the stream's end
    void WriteToStream(TStream& stream) override;

    bool Enhanced() const { return enhanced_; }

private:
    void ReadBytes(TStream& stream, std::int64_t count);

    std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
    int width_ = 0;
    int height_ = 0;
    bool enhanced_ = false;
};

#pragma once
#include "core/Errors.h"
#include "core/TGraphic.h"

// A graphic that is not a raster, standing in for the start-up photograph in holder tests.
class TStandInGraphic : public TGraphic {
public:
    explicit TStandInGraphic(int width = 7, int height = 5, bool* destroyed = nullptr, bool failCopy = false)
        : width_(width), height_(height), destroyed_(destroyed), failCopy_(failCopy) {}
    ~TStandInGraphic() override {
        if (destroyed_) *destroyed_ = true;
    }
    const char* ClassName() const override { return "TStandInGraphic"; }
    std::unique_ptr<TGraphic> NewInstance() const override {
        return std::make_unique<TStandInGraphic>(width_, height_, nullptr, failCopy_);
    }
    void CopyFrom(TGraphic*) override {
        if (failCopy_) throw EInvalidGraphic("copy failed");
    }
    void DrawInRect(TCanvas&, const TRect&) override {}
    bool IsEmpty() const override { return width_ == 0 || height_ == 0; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void ReadPictureData(TStream&) override {}
    void WritePictureData(TStream&) override {}
    void ReadFromStream(TStream&) override {}
    void WriteToStream(TStream&) override {}

private:
    int width_, height_;
    bool* destroyed_;
    bool failCopy_;
};

#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/TBitmap.h"
#include "core/TGraphic.h"
#include "core/TStream.h"

// A graphic class as the registry knows it: its name and how to make an empty one.
struct TGraphicClass {
    std::string name;
    std::function<std::unique_ptr<TGraphic>()> create;
};

// Reads a whole file of a raster kind into a bitmap (pixels upright, transparency over white).
using RasterReader = void (*)(TBitmap& bitmap, TStream& stream);

struct TFileFormat {
    std::string extension;  // lower case, no dot
    std::string description;
    TGraphicClass graphicClass;
    int descriptionResourceId = 0;
    RasterReader reader = nullptr;  // a raster kind read into a TBitmap; null: the class reads it
};

// The process-wide picture-format registry: made on first use with an entry per extension of
// every picture kind (formats/PictureKinds), in the table's order.
class TFileFormatsList {
public:
    static TFileFormatsList& Instance();

    void RegisterFormat(const std::string& extension, const std::string& description,
                        TGraphicClass graphicClass, RasterReader reader = nullptr);
    void UnregisterClass(const std::string& className);
    // Case-insensitive, from the last entry to the first; null when none matches.
    const TFileFormat* FindByExtension(const std::string& extension) const;
    // Exact, case-sensitive class name, from the last entry to the first.
    const TGraphicClass* FindByClassName(const std::string& className) const;
    const std::vector<TFileFormat>& Entries() const { return entries_; }

private:
    TFileFormatsList();
    std::vector<TFileFormat> entries_;
};

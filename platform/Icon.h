#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/DeviceContext.h"

namespace platform {

// The platform's icon object: its own copies of an AND mask and a colour (XOR) raster.
struct IconObject {
    bool isIcon = true;
    std::uint32_t xHotspot = 0;
    std::uint32_t yHotspot = 0;
    std::unique_ptr<Bitmap> mask;   // 1 bit per pixel; 1 = transparent
    std::unique_ptr<Bitmap> color;  // any layout
    bool stock = false;             // the default application icon; never destroyed
};

// A borrowed icon; IconHandle owns one.
using HICON = IconObject*;

// Frees an icon as DestroyIcon does, so the default application icon may be held too.
struct IconDestroyer {
    void operator()(IconObject* icon) const;
};
using IconHandle = std::unique_ptr<IconObject, IconDestroyer>;

struct ICONINFO {
    std::uint32_t fIcon = 0;  // a 32-bit boolean; any non-zero value is true
    std::uint32_t xHotspot = 0;
    std::uint32_t yHotspot = 0;
    HBITMAP hbmMask = nullptr;
    HBITMAP hbmColor = nullptr;
};

// A new icon holding copies of both rasters; null when a raster is missing or the sizes disagree.
IconHandle CreateIconIndirect(const ICONINFO& info);
// A new icon of width x height from 32-bit colours (0x00RRGGBB) and mask values (one per pixel,
// 1 = transparent), both row by row from the top; null when a size does not match.
IconHandle CreateIcon(int width, int height, const std::vector<std::uint32_t>& colors,
                      const std::vector<std::uint8_t>& mask);
// Fresh copies of the icon's rasters in info.hbmMask and info.hbmColor; the caller deletes them.
bool GetIconInfo(HICON icon, ICONINFO& info);
// Frees the icon; the default application icon is left alone. IconHandle calls it.
bool DestroyIcon(HICON icon);
// Draws the icon at its own size with (x, y) as its top-left corner: the target is ANDed with the
// mask, then XORed with the colour raster.
bool DrawIconEx(DeviceContext& dc, int x, int y, HICON icon);

// The default application icon: a distinguished handle that lives as long as the process.
HICON DefaultApplicationIcon();
bool IsDefaultApplicationIcon(HICON icon);

// The pixels of a raster converted to bitCount (1 or 4) bits per pixel, rows bottom-up, each padded to
// 4 bytes, high bits first. 4 bits: entries of the system 16-colour table; 1 bit: black 0, white 1.
// Every colour becomes its nearest table entry. `header` describes the result (colours used 0);
// `colors` receives its colour table. False for any other bit count.
bool GetDIBits(const Bitmap& source, int bitCount, BitmapInfoHeader& header, std::vector<RGBQuad>& colors,
               std::vector<std::uint8_t>& bits);

}  // namespace platform

#include "formats/IconExport.h"

#include "core/AtomicWrite.h"
#include "core/TBitmap.h"
#include "platform/SystemMetrics.h"

namespace {

// Cut or padded with white to width x height, without scaling.
void CutTo(TBitmap& raster, int width, int height) {
    raster.SetWidth(width);
    raster.SetHeight(height);
}

}  // namespace

void SaveIconFromSource(const std::string& sourcePath, const std::string& target, TCanvas& surface,
                        const std::function<void(TIcon&)>& makeApplicationIcon) {
    const int w = platform::GetSystemMetrics(platform::SM_CXICON);
    const int h = platform::GetSystemMetrics(platform::SM_CYICON);

    TIcon icon;
    {
        // Exactly white pixels become transparent: the mask is the source in black and white.
        TBitmap mask;
        mask.ReadFromFile(sourcePath);
        mask.SetBlackAndWhite(true);
        CutTo(mask, w, h);
        surface.DrawAt(2 * w, h, &mask);

        TBitmap color;
        color.ReadFromFile(sourcePath);  // read again: the file's own bit depth stays
        CutTo(color, w, h);
        surface.DrawAt(4 * w, h, &color);

        platform::ICONINFO info;
        info.fIcon = 0xFFFFFFFFu;
        info.hbmMask = mask.BitmapHandle();
        info.hbmColor = color.BitmapHandle();
        icon.AdoptHandle(platform::CreateIconIndirect(info));
    }
    surface.DrawAt(6 * w, h, &icon);
    if (makeApplicationIcon) makeApplicationIcon(icon);

    // The icon's bytes are made before any file is begun: an icon that cannot be made fails first.
    TMemoryStream bytes;
    icon.WriteToStream(bytes);
    WriteAtomically(target, [&icon](const std::string& tempPath) { icon.WriteToFile(tempPath); });
}

#include "formats/IconFromRaster.h"

#include "platform/SystemMetrics.h"

void MakeIconFromRaster(TBitmap& source, TCanvas& surface, TIcon& icon) {
    const int w = platform::GetSystemMetrics(platform::SM_CXICON);
    const int h = platform::GetSystemMetrics(platform::SM_CYICON);

    TBitmap mask;
    mask.CopyFrom(&source);  // shares the pixels until they change
    mask.SetBlackAndWhite(true);
    mask.SetWidth(w);
    mask.SetHeight(h);
    surface.DrawAt(2 * w, h, &mask);

    TBitmap color;
    color.CopyFrom(&source);  // keeps the picture's own bit depth
    color.SetWidth(w);
    color.SetHeight(h);
    surface.DrawAt(4 * w, h, &color);

    platform::ICONINFO info;
    info.fIcon = 0xFFFFFFFFu;
    info.hbmMask = mask.BitmapHandle();
    info.hbmColor = color.BitmapHandle();
    icon.AdoptHandle(platform::CreateIconIndirect(info));
    surface.DrawAt(6 * w, h, &icon);
}

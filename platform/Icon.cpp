#include "platform/Icon.h"

namespace platform {

HICON CreateIconIndirect(const ICONINFO&) { return nullptr; }
HICON CreateIcon(int, int, const std::vector<std::uint32_t>&, const std::vector<std::uint8_t>&) { return nullptr; }
bool GetIconInfo(HICON, ICONINFO&) { return false; }
bool DestroyIcon(HICON icon) {
    if (!icon || icon->stock) return false;
    delete icon;
    return true;
}
bool DrawIconEx(DeviceContext&, int, int, HICON) { return false; }
HICON DefaultApplicationIcon() {
    static IconObject stock{true, 0, 0, nullptr, nullptr, true};
    return &stock;
}
bool IsDefaultApplicationIcon(HICON icon) { return icon == DefaultApplicationIcon(); }
void GetDIBits(const Bitmap&, int, BitmapInfoHeader&, std::vector<RGBQuad>&, std::vector<std::uint8_t>&) {}

}  // namespace platform

// ICO reading, then drawing (which makes the platform icon from the file's chosen image).
#include <memory>

#include "core/TCanvas.h"
#include "formats/TIcon.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InstallFormatsOnce();
    ExpectCleanFailure([&] {
        TMemoryStream stream;
        FillStream(stream, data, size);
        TIcon icon;
        icon.ReadFromStream(stream);
        std::unique_ptr<platform::Bitmap> target = platform::Bitmap::CreateDevice(64, 64);
        TRasterCanvas canvas(*target);
        icon.DrawInRect(canvas, platform::Rect(0, 0, 64, 64));
    });
    return 0;
}

// The stored form of a picture in a window description: class name, then the graphic's own form.
#include <memory>

#include "core/TCanvas.h"
#include "core/TPicture.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InstallFormatsOnce();
    ExpectCleanFailure([&] {
        TMemoryStream stream;
        FillStream(stream, data, size);
        TPicture picture;
        ReadPictureData(picture, stream);
        TGraphic* graphic = picture.HeldGraphic();
        if (!graphic || (long long)graphic->Width() * graphic->Height() > FuzzMaxPixels) return;
        std::unique_ptr<platform::Bitmap> target = platform::Bitmap::CreateDevice(32, 32);
        TRasterCanvas canvas(*target);
        canvas.StretchDraw(platform::Rect(0, 0, 32, 32), graphic);
    });
    return 0;
}

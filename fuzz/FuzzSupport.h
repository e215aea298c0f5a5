#pragma once
#include <cstddef>
#include <cstdint>

#include "core/Errors.h"
#include "core/TStream.h"
#include "formats/PictureKinds.h"
#include "formats/PictureLoading.h"
#include "platform/Bitmap.h"

// The registry as the program has it at start-up, made once per fuzzing process.
inline void InstallFormatsOnce() {
    static const bool installed = [] {
        InstallPictureKinds();
        return true;
    }();
    (void)installed;
}

inline void FillStream(TMemoryStream& stream, const std::uint8_t* data, std::size_t size) {
    stream.Data().assign(data, data + size);
    stream.SetPosition(0);
}

// Runs `body`, accepting the failures a damaged file is allowed to end in: the system's errors and
// a raster the platform refuses to make. Anything else (a crash, a sanitizer report) is a finding.
template <class Body>
void ExpectCleanFailure(Body body) {
    try {
        body();
    } catch (const Exception&) {
    } catch (const platform::RasterError&) {
    }
}

// Pictures larger than this are read but not converted, decoded or drawn, to keep each run fast;
// the conversions do the same work per row whatever the height.
constexpr long long FuzzMaxPixels = 1 << 14;

#include "formats/JpegEncodeSnapshot.h"

#include <vector>

#include "core/TBitmap.h"
#include "formats/BgrRows.h"
#include "formats/ExifOrientation.h"
#include "formats/RgbProfile.h"
#include "formats/TJPEGImage.h"

namespace {

// What the file will carry: the profile (a sound RGB one), and with `keepExif` the EXIF block (its
// orientation reset, the rows being upright) and the XMP packet. Null when that is nothing.
std::shared_ptr<const TPictureMetadata> CarriedMetadata(const TPictureMetadata& source, bool keepExif) {
    auto carried = std::make_shared<TPictureMetadata>();
    if (IsRgbProfile(source.iccProfile)) carried->iccProfile = source.iccProfile;
    if (keepExif) {
        if (!source.exif.empty()) carried->exif = ExifWithUprightOrientation(source.exif);
        carried->xmp = source.xmp;
    }
    if (carried->Empty()) return nullptr;
    return carried;
}

}  // namespace

JpegEncodeSnapshot::JpegEncodeSnapshot(const TJPEGImage& image, const JpegWriteSettings& settings) {
    const TBitmap* decoded = image.Decoded();
    if (!decoded || decoded->Width() == 0 || decoded->Height() == 0) return;
    settings_.width = decoded->Width();
    settings_.height = decoded->Height();
    settings_.quality = settings.quality;
    settings_.grayscale = settings.grayscale;
    settings_.progressive = settings.progressive;
    metadata_ = CarriedMetadata(image.Metadata(), settings.keepExif);
    settings_.metadata = metadata_.get();
    settings_.keepExif = settings.keepExif;
    auto rows = std::make_shared<const BgrRows>(*decoded);
    sharesPictureRows_ = rows->SharesRasterStore();
    rowStep_ = rows->Step();
    topRow_ = rows->Row(0);
    rows_ = std::move(rows);
}

void JpegEncodeSnapshot::Compress(int quality, TMemoryStream& output, const JpegProgress* progress) const {
    if (Empty()) return;
    JpegEncodeSettings settings = settings_;
    settings.quality = quality;
    JpegCompress(settings, topRow_, rowStep_, output, progress);
}

JpegEncodeSnapshot JpegEncodeSnapshot::Bands(int groupRows, int groupStep) const {
    JpegEncodeSnapshot bands;
    if (Empty()) return bands;
    const std::size_t rowBytes = std::size_t(settings_.width) * 3;
    auto rows = std::make_shared<std::vector<std::uint8_t>>();
    int count = 0;
    for (int first = 0; first < settings_.height; first += groupRows * groupStep)
        for (int y = first; y < first + groupRows && y < settings_.height; ++y, ++count) {
            const std::uint8_t* row = topRow_ + std::ptrdiff_t(y) * rowStep_;
            rows->insert(rows->end(), row, row + rowBytes);
        }
    bands.settings_ = settings_;
    bands.settings_.height = count;
    bands.settings_.metadata = nullptr;  // a constant number of bytes would blur how size follows quality
    bands.topRow_ = rows->data();
    bands.rowStep_ = std::ptrdiff_t(rowBytes);
    bands.rows_ = std::move(rows);
    return bands;
}

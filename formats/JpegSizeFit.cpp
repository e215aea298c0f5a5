#include "formats/JpegSizeFit.h"

#include <algorithm>
#include <map>

namespace {

constexpr int MaxEncodes = 7;
// Bands of 16 rows (two rows of 2 x 2 sampled blocks), one in 16: a sixteenth of the picture.
constexpr int BandRows = 16;
constexpr int BandStep = 16;

std::int64_t SizeOf(const TMemoryStream& bytes) {
    return bytes.DataSize();
}

// Estimated whole-picture sizes from the bands, scaled by how the last real encode compared.
class SizeEstimate {
public:
    explicit SizeEstimate(const JpegEncodeSnapshot& picture)
        : bands_(picture.Bands(BandRows, BandStep)),
          scale_(bands_.Height() > 0 ? double(picture.Height()) / bands_.Height() : 1.0) {}

    // The highest quality in (low, high] estimated to fit, or `low` when none is.
    int HighestFitting(int low, int high, std::int64_t maxBytes) {
        while (low < high) {
            const int middle = low + (high - low + 1) / 2;
            if (Estimate(middle) <= double(maxBytes))
                low = middle;
            else
                high = middle - 1;
        }
        return low;
    }

    void Calibrate(int quality, std::int64_t wholeSize) {
        const std::int64_t bandSize = BandSize(quality);
        if (bandSize > 0) scale_ = double(wholeSize) / double(bandSize);
    }

private:
    double Estimate(int quality) { return double(BandSize(quality)) * scale_; }

    std::int64_t BandSize(int quality) {
        auto known = sizes_.find(quality);
        if (known != sizes_.end()) return known->second;
        TMemoryStream bytes;
        bands_.Compress(quality, bytes);
        return sizes_[quality] = SizeOf(bytes);
    }

    JpegEncodeSnapshot bands_;
    double scale_;
    std::map<int, std::int64_t> sizes_;
};

}  // namespace

JpegFit FitJpegToSize(const JpegEncodeSnapshot& picture, std::int64_t maxBytes) {
    JpegFit fit;
    SizeEstimate estimate(picture);
    // The answer lies in [fitting, below]: `fitting` is known to fit (0: none known), every
    // quality above `below` is known not to.
    int fitting = 0, below = 100;
    for (int left = MaxEncodes; fitting < below; --left) {
        // Either outcome must leave at most 2^(left - 1) possible answers.
        const int half = 1 << (left - 1);
        const int lowest = std::max(fitting + 1, below + 1 - half);
        const int highest = std::min(below, fitting + half);
        const int guess = estimate.HighestFitting(fitting, below, maxBytes);
        const int quality = std::clamp(guess > fitting ? guess : fitting + 1, lowest, highest);
        auto bytes = std::make_unique<TMemoryStream>();
        picture.Compress(quality, *bytes);
        ++fit.encodes;
        estimate.Calibrate(quality, SizeOf(*bytes));
        if (SizeOf(*bytes) <= maxBytes) {
            fitting = quality;
            fit.bytes = std::move(bytes);
        } else {
            below = quality - 1;
            if (quality == 1) fit.bytes = std::move(bytes);
        }
    }
    fit.quality = fitting;
    return fit;
}

#include "ui/JpegSizeProbe.h"

#include <atomic>

#include "core/Errors.h"
#include "core/TPicture.h"
#include "formats/JpegEncodeSnapshot.h"
#include "formats/TJPEGImage.h"

struct JpegSizeProbe::Run {
    Key key;
    std::shared_ptr<const JpegEncodeSnapshot> rows;
    std::atomic<bool> abandoned{false};
    bool succeeded = false;
    TMemoryStream bytes;
};

namespace {

// The raster the save would encode: a bitmap's store, or the decoded raster of a JPEG image (none
// before its first paint, when the save writes an empty file).
const void* RasterOf(const TGraphic* graphic) {
    if (auto* bitmap = dynamic_cast<const TBitmap*>(graphic)) return bitmap->Image().get();
    if (auto* jpeg = dynamic_cast<const TJPEGImage*>(graphic))
        return jpeg->Decoded() ? jpeg->Decoded()->Image().get() : nullptr;
    return nullptr;
}

// The rows as the save passes them: a JPEG image copied from the held graphic. None when the save
// would fail on this graphic.
std::shared_ptr<const JpegEncodeSnapshot> RowsOf(const TPicture& working) {
    try {
        TJPEGImage jpeg;
        jpeg.CopyFrom(working.HeldGraphic());
        return std::make_shared<const JpegEncodeSnapshot>(jpeg);
    } catch (const Exception&) {
        return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

JpegSizeProbe::Key JpegSizeProbe::KeyOf(const TPicture& working, std::uint64_t changes, int quality) {
    return Key{changes, working.HeldGraphic(), RasterOf(working.HeldGraphic()), quality & 0xFF};
}

JpegSizeProbe::JpegSizeProbe(QObject* parent) : QObject(parent) {
    pool_.setMaxThreadCount(1);
}

JpegSizeProbe::~JpegSizeProbe() {
    if (running_) running_->abandoned = true;
    pool_.waitForDone();
}

void JpegSizeProbe::Request(const TPicture& working, const Key& key) {
    if (wanted_ && wantedKey_ == key) return;
    const bool samePicture = wanted_ && wantedKey_.SamePicture(key);
    wanted_ = true;
    wantedKey_ = key;
    if (running_) running_->abandoned = true;
    if (done_ && done_->key == key) {
        emit Known(done_->bytes.DataSize());
        return;
    }
    if (!samePicture) {
        rows_.reset();
        unencodable_ = false;
    }
    if (!rows_ && !unencodable_) {
        rows_ = RowsOf(working);
        unencodable_ = !rows_;
    }
    if (unencodable_) {
        emit Known(-1);
        return;
    }
    emit Pending();
    StartWanted();
}

void JpegSizeProbe::Stop() {
    wanted_ = false;
    rows_.reset();
    unencodable_ = false;
    if (running_) running_->abandoned = true;
}

void JpegSizeProbe::LetGoOfRows() {
    rows_.reset();
    if (!running_) return;
    running_->abandoned = true;
    pool_.waitForDone();
    running_->rows.reset();  // Finished, already queued, then starts what is wanted by then
}

const TMemoryStream* JpegSizeProbe::BytesFor(const Key& key) const {
    return done_ && done_->key == key ? &done_->bytes : nullptr;
}

// Runs on the pool's thread: reads only the run's own rows and writes only the run.
void JpegSizeProbe::Compress(Run& run) {
    JpegProgress progress{[&run](std::uint8_t, bool, const TRect&) {
                              if (run.abandoned) throw EAbort("");
                          },
                          0};
    try {
        run.rows->Compress(run.key.quality, run.bytes, &progress);
        run.succeeded = true;
    } catch (...) {
        run.succeeded = false;  // abandoned, or a picture the codec refuses
    }
}

// One run at a time: a later request waits for the abandoned run to stop, within a row or so.
void JpegSizeProbe::StartWanted() {
    if (running_ || !wanted_ || !rows_ || (done_ && done_->key == wantedKey_)) return;
    running_ = std::make_unique<Run>();
    running_->key = wantedKey_;
    running_->rows = rows_;
    Run* run = running_.get();
    pool_.start([this, run] {
        Compress(*run);
        QMetaObject::invokeMethod(
            this, [this] { Finished(); }, Qt::QueuedConnection);
    });
}

void JpegSizeProbe::Finished() {
    std::unique_ptr<Run> run = std::move(running_);
    const bool current = wanted_ && run->key == wantedKey_ && !run->abandoned;
    // The rows are let go here, on the window's thread; the picture's own are not kept from its
    // edits while nothing runs.
    run->rows.reset();
    if (current && rows_ && rows_->SharesPictureRows()) rows_.reset();
    if (current) {
        const bool succeeded = run->succeeded;
        const std::int64_t size = run->bytes.DataSize();
        if (succeeded) done_ = std::move(run);
        emit Known(succeeded ? size : -1);
        return;
    }
    run.reset();
    StartWanted();
}

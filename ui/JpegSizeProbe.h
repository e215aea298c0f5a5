#pragma once
#include <QObject>
#include <QThreadPool>
#include <cstdint>
#include <memory>

#include "core/TStream.h"

class JpegEncodeSnapshot;
class TPicture;

// Works out the file the JPEG save would write for the working picture at a quality, on a thread
// of its own, so the window keeps painting and its timers and slider stay live meanwhile. The rows
// are taken on the window's thread (shared with the picture until it changes); the other thread
// only compresses them. A request for another picture or quality abandons the run before it.
class JpegSizeProbe : public QObject {
    Q_OBJECT
public:
    // What the file depends on: the picture (its changes so far, its graphic and that graphic's
    // raster store) and the quality.
    struct Key {
        std::uint64_t changes = 0;
        const void* graphic = nullptr;
        const void* raster = nullptr;
        int quality = -1;
        bool SamePicture(const Key& other) const {
            return changes == other.changes && graphic == other.graphic && raster == other.raster;
        }
        bool operator==(const Key& other) const { return SamePicture(other) && quality == other.quality; }
    };
    static Key KeyOf(const TPicture& working, std::uint64_t changes, int quality);

    explicit JpegSizeProbe(QObject* parent = nullptr);
    ~JpegSizeProbe() override;  // abandons a run and waits for its end

    // Works out the file for `key` unless it is known or under way. Emits Pending when the figure
    // is not known yet, then Known; Known(-1) when the save could not encode this picture.
    void Request(const TPicture& working, const Key& key);
    // Nothing is wanted (the icon type is chosen): a run is abandoned, the rows let go.
    void Stop();
    // The picture is about to change in place: a run is abandoned and waited for (it stops within a
    // row), and every hold on the picture's rows is let go, so the change needs no copy of them.
    void LetGoOfRows();
    // The bytes the save would write for `key`, when they are known.
    const TMemoryStream* BytesFor(const Key& key) const;

signals:
    void Pending();
    void Known(std::int64_t bytes);

private:
    struct Run;
    static void Compress(Run& run);
    void StartWanted();
    void Finished();

    bool wanted_ = false;
    Key wantedKey_;
    std::shared_ptr<const JpegEncodeSnapshot> rows_;  // for the picture of wantedKey_, while needed
    bool unencodable_ = false;                        // the save refuses the picture of wantedKey_
    std::unique_ptr<Run> running_;
    std::unique_ptr<Run> done_;
    QThreadPool pool_;
};

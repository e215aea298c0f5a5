#pragma once
#include <cstdint>
#include <string>

// How one SOURCE of a batch ended, as reported on the error stream and in --json records. Sent
// from a worker process to the one that reports, as bytes.
struct FileOutcome {
    enum Status : std::uint8_t { Written, Failed, Skipped };

    Status status = Failed;
    std::string error;            // Failed: the message
    std::int64_t bytes = -1;      // the output's size; -1 when unknown
    int width = -1, height = -1;  // of the picture written; -1 when none was
    int quality = -1;             // of a JPEG file written; -1 for other kinds and failures
    std::int64_t milliseconds = 0;

    std::string Serialize() const;
    // False when `data` is not a whole outcome.
    static bool Deserialize(const std::string& data, FileOutcome& outcome);
};

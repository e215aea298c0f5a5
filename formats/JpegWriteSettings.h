#pragma once

// The options for writing one JPEG file, handed to the encoder with each encode. What a file that
// was read says about itself (size, greyscale, progressive) is kept with its bytes (TJPEGData).
struct JpegWriteSettings {
    int quality = 90;  // 1..100
    bool grayscale = false;
    bool progressive = false;
    bool keepExif = false;  // carry the source's EXIF (upright) and XMP too; the profile always
};

// Settings at `quality`, refused (EInvalidOperation) outside 1..100.
JpegWriteSettings JpegSettingsAtQuality(int quality);

// The save slider's position (0..100) as a quality: position 0 writes what quality 1 writes.
// A position outside 0..100 is refused (EInvalidOperation).
int QualityOfSliderPosition(int position);

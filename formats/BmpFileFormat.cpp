#include "formats/BmpFileFormat.h"

#include "formats/BmpReader.h"
#include "formats/BmpWriter.h"

void BmpFileFormat::Read(TBitmap& bitmap, TStream& stream) const {
    ReadBmp(bitmap, stream);
}

void BmpFileFormat::Write(TBitmap& bitmap, TStream& stream) const {
    if (bitmap.Image()) WriteBmp(*bitmap.Image(), stream);
}

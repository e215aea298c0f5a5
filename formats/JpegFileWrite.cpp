#include "formats/JpegFileWrite.h"

void WriteJpegFile(const TMemoryStream& bytes, const std::string& path) {
    TFileStream file(path, fmCreate);
    if (bytes.DataSize() > 0) file.WriteBuffer(bytes.Memory(), std::size_t(bytes.DataSize()));
}

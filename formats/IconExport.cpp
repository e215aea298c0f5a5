#include "formats/IconExport.h"

#include "core/AtomicWrite.h"
#include "core/Errors.h"
#include "core/TBitmap.h"
#include "formats/IconFromRaster.h"

void SaveIconFromSource(const std::string& sourcePath, const std::string& target, TCanvas& surface,
                        const std::function<void(TIcon&)>& makeApplicationIcon) {
    TBitmap source;
    source.ReadFromFile(sourcePath);
    if (source.IsEmpty()) throw EInvalidGraphic(ErrorText::EmptyPicture);
    TIcon icon;
    MakeIconFromRaster(source, surface, icon);
    if (makeApplicationIcon) makeApplicationIcon(icon);

    // The icon's bytes are made before any file is begun: an icon that cannot be made fails first.
    TMemoryStream bytes;
    icon.WriteToStream(bytes);
    WriteAtomically(target, [&icon](const std::string& tempPath) { icon.WriteToFile(tempPath); });
}

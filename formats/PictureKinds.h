#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/TBitmap.h"
#include "core/TStream.h"
#include "formats/TFileFormatsList.h"

// The writers brelvik-cli can put a picture through; None for kinds that are only read.
enum class PictureWriter { None, Jpeg, Icon, Bitmap, Png, Webp };

struct DeclaredSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// The picture size a file's header declares, read before any pixel is decoded; nothing when the
// header is too short or not of the kind (the reader then reports the fault).
using SizeProbe = std::optional<DeclaredSize> (*)(TStream& stream);

// One kind of picture file: everything the programs need to know to read or write it.
struct PictureKind {
    std::string name;                     // brelvik-cli's --from/--to value; empty: not offered there
    std::vector<std::string> extensions;  // lower case, no dot; the first is the one written
    std::string mimeType;
    std::string description;  // the registry's description, also the open dialog's name for the kind
    TGraphicClass graphicClass;
    RasterReader reader = nullptr;     // null: the graphic class reads the file itself
    SizeProbe declaredSize = nullptr;  // null: the size is checked once the picture is loaded
    PictureWriter writer = PictureWriter::None;
};

// Every kind, in the order the dialogs and the help list them.
const std::vector<PictureKind>& PictureKinds();

// By extension (no dot) or by brelvik-cli's name, ignoring case; null when none matches.
const PictureKind* KindByExtension(const std::string& extension);
const PictureKind* KindByName(const std::string& name);
const PictureKind* KindWritingWith(PictureWriter writer);

// "png|jpeg|..." of the kinds brelvik-cli reads (--from) or writes (--to).
std::string ReadableKindNames(const std::string& separator = "|");
std::string WritableKindNames(const std::string& separator = "|");

// "wmf, emf, ico, bmp, jpg/jpeg, ...": every extension read, a kind's spellings together, for the
// programs' --help (from which the completions take them).
std::string ExtensionsText();

// The kinds people bring: every kind but the metafiles, which only stored window descriptions
// hold and which draw nothing here. The open dialog and the desktop entry list these.
bool OfferedToUsers(const PictureKind& kind);

// The open dialog's filter: the offered kinds together first, then one entry per kind, in the
// "description (*.a *.b)|*.a;*.b" form of the dialogs ("Bitmaps (*.bmp)|*.bmp").
std::string OpenDialogFilter(const std::string& allPicturesName);

// The desktop entry's MimeType value: "image/bmp;image/jpeg;...;".
std::string DesktopMimeTypes();

// Makes the registry from the table, installs the BMP reader and fixes the JPEG decoding depth
// from the screen. Every program calls it once before pictures are used; again changes nothing.
void InstallPictureKinds();

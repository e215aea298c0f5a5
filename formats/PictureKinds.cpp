#include "formats/PictureKinds.h"

#include <algorithm>
#include <cctype>

#include "formats/BmpFileFormat.h"
#include "formats/BmpHeaderProbe.h"
#include "formats/GifReader.h"
#include "formats/JpegRegistration.h"
#include "formats/PngReader.h"
#include "formats/TIcon.h"
#include "formats/TJPEGImage.h"
#include "formats/TMetafile.h"
#include "formats/TiffReader.h"
#include "formats/WebpReader.h"

namespace {

template <typename Graphic>
TGraphicClass ClassOf() {
    return TGraphicClass{Graphic().ClassName(), [] { return std::unique_ptr<TGraphic>(new Graphic); }};
}

std::vector<PictureKind> MakeKinds() {
    const TGraphicClass raster = ClassOf<TBitmap>();
    return {
        {"", {"wmf"}, "image/wmf", "Metafiles", ClassOf<TMetafile>()},
        {"", {"emf"}, "image/emf", "Enhanced Metafiles", ClassOf<TMetafile>()},
        {"ico",
         {"ico"},
         "image/vnd.microsoft.icon",
         "Icons",
         ClassOf<TIcon>(),
         nullptr,
         nullptr,
         PictureWriter::Icon},
        {"bmp", {"bmp"}, "image/bmp", "Bitmaps", raster, nullptr, BmpDeclaredSize, PictureWriter::Bitmap},
        {"jpeg",
         {"jpg", "jpeg"},
         "image/jpeg",
         "JPEG Image File",
         ClassOf<TJPEGImage>(),
         nullptr,
         nullptr,
         PictureWriter::Jpeg},
        {"png", {"png"}, "image/png", "PNG Image File", raster, ReadPng, PngDeclaredSize, PictureWriter::Png},
        {"webp",
         {"webp"},
         "image/webp",
         "WebP Image File",
         raster,
         ReadWebp,
         WebpDeclaredSize,
         PictureWriter::Webp},
        {"tiff", {"tif", "tiff"}, "image/tiff", "TIFF Image File", raster, ReadTiff, TiffDeclaredSize},
        {"gif", {"gif"}, "image/gif", "GIF Image File", raster, ReadGif, GifDeclaredSize},
    };
}

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::string Names(const std::string& separator, bool (*wanted)(const PictureKind&)) {
    std::string names;
    for (const PictureKind& kind : PictureKinds()) {
        if (kind.name.empty() || !wanted(kind)) continue;
        if (!names.empty()) names += separator;
        names += kind.name;
    }
    return names;
}

// "name (*.a *.b)|*.a;*.b"
std::string FilterEntry(const std::string& name, const std::vector<std::string>& extensions) {
    std::string shown, patterns;
    for (const std::string& extension : extensions) {
        shown += (shown.empty() ? "*." : " *.") + extension;
        patterns += (patterns.empty() ? "*." : ";*.") + extension;
    }
    return name + " (" + shown + ")|" + patterns;
}

}  // namespace

const std::vector<PictureKind>& PictureKinds() {
    static const std::vector<PictureKind> kinds = MakeKinds();
    return kinds;
}

const PictureKind* KindByExtension(const std::string& extension) {
    const std::string wanted = LowerCase(extension);
    for (const PictureKind& kind : PictureKinds())
        if (std::find(kind.extensions.begin(), kind.extensions.end(), wanted) != kind.extensions.end())
            return &kind;
    return nullptr;
}

const PictureKind* KindByName(const std::string& name) {
    const PictureKind* kind = KindByExtension(name);
    if (kind && !kind->name.empty()) return kind;
    for (const PictureKind& each : PictureKinds())
        if (!each.name.empty() && each.name == LowerCase(name)) return &each;
    return nullptr;
}

const PictureKind* KindWritingWith(PictureWriter writer) {
    for (const PictureKind& kind : PictureKinds())
        if (kind.writer == writer) return &kind;
    return nullptr;
}

std::string ReadableKindNames(const std::string& separator) {
    return Names(separator, [](const PictureKind&) { return true; });
}

std::string WritableKindNames(const std::string& separator) {
    return Names(separator, [](const PictureKind& kind) { return kind.writer != PictureWriter::None; });
}

std::string ExtensionsText() {
    std::string text;
    for (const PictureKind& kind : PictureKinds()) {
        if (!text.empty()) text += ", ";
        for (std::size_t i = 0; i < kind.extensions.size(); ++i) text += (i ? "/" : "") + kind.extensions[i];
    }
    return text;
}

bool OfferedToUsers(const PictureKind& kind) {
    return !kind.name.empty();
}

std::string OpenDialogFilter(const std::string& allPicturesName) {
    std::vector<std::string> every;
    for (const PictureKind& kind : PictureKinds())
        if (OfferedToUsers(kind)) every.insert(every.end(), kind.extensions.begin(), kind.extensions.end());
    std::string filter = FilterEntry(allPicturesName, every);
    for (const PictureKind& kind : PictureKinds())
        if (OfferedToUsers(kind)) filter += "|" + FilterEntry(kind.description, kind.extensions);
    return filter;
}

std::string DesktopMimeTypes() {
    std::string types;
    for (const PictureKind& kind : PictureKinds())
        if (OfferedToUsers(kind)) types += kind.mimeType + ";";
    return types;
}

void InstallPictureKinds() {
    static const BmpFileFormat bmpFormat;
    TFileFormatsList::Instance();
    TBitmap::InstallFileFormat(&bmpFormat);
    RegisterJpegFormats();
}

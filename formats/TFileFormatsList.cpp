#include "formats/TFileFormatsList.h"

#include <algorithm>
#include <cctype>

#include "formats/PictureKinds.h"

namespace {

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

}  // namespace

TFileFormatsList& TFileFormatsList::Instance() {
    static TFileFormatsList list;
    return list;
}

TFileFormatsList::TFileFormatsList() {
    for (const PictureKind& kind : PictureKinds())
        for (const std::string& extension : kind.extensions)
            RegisterFormat(extension, kind.description, kind.graphicClass, kind.reader);
}

void TFileFormatsList::RegisterFormat(const std::string& extension, const std::string& description,
                                      TGraphicClass graphicClass, RasterReader reader) {
    entries_.push_back(TFileFormat{LowerCase(extension), description, std::move(graphicClass), 0, reader});
}

void TFileFormatsList::UnregisterClass(const std::string& className) {
    std::erase_if(entries_, [&](const TFileFormat& entry) { return entry.graphicClass.name == className; });
}

const TFileFormat* TFileFormatsList::FindByExtension(const std::string& extension) const {
    const std::string wanted = LowerCase(extension);
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->extension == wanted) return &*it;
    return nullptr;
}

const TGraphicClass* TFileFormatsList::FindByClassName(const std::string& className) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->graphicClass.name == className) return &it->graphicClass;
    return nullptr;
}

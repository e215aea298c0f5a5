// Prints what the table of picture kinds says, for the files made from it at build time:
//   picture_kinds mime            the desktop entry's MimeType value
//   picture_kinds readme          the README's table of kinds (checked against README.md by a test)
//   picture_kinds fill IN OUT     IN with @MIME_TYPES@ (the MimeType value) and @MEDIA_TYPES@ (the
//                                 metainfo's mediatype lines) replaced, written to OUT
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "formats/PictureKinds.h"

namespace {

std::string ReadmeTable() {
    std::string table =
        "| Kind | Extensions | MIME type | brelvik-cli name | Written by brelvik-cli |\n"
        "| --- | --- | --- | --- | --- |\n";
    for (const PictureKind& kind : PictureKinds()) {
        std::string extensions;
        for (const std::string& extension : kind.extensions)
            extensions += (extensions.empty() ? "" : ", ") + ("." + extension);
        table += "| " + kind.description + " | " + extensions + " | " + kind.mimeType + " | " +
                 (kind.name.empty() ? "—" : kind.name) + " | " +
                 (kind.writer == PictureWriter::None ? "no" : "--to " + kind.name) + " |\n";
    }
    return table;
}

std::string MediaTypeLines() {
    std::string lines;
    for (const PictureKind& kind : PictureKinds())
        if (OfferedToUsers(kind))
            lines += (lines.empty() ? "" : "\n") + ("    <mediatype>" + kind.mimeType + "</mediatype>");
    return lines;
}

void Replace(std::string& text, const std::string& marker, const std::string& value) {
    for (std::size_t at = text.find(marker); at != std::string::npos;
         at = text.find(marker, at + value.size()))
        text.replace(at, marker.size(), value);
}

int Fill(const char* in, const char* out) {
    std::ifstream source(in);
    std::string text((std::istreambuf_iterator<char>(source)), std::istreambuf_iterator<char>());
    if (!source) return 1;
    Replace(text, "@MIME_TYPES@", DesktopMimeTypes());
    Replace(text, "@MEDIA_TYPES@", MediaTypeLines());
    std::ofstream target(out);
    target << text;
    return target.good() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "mime")
        std::cout << DesktopMimeTypes() << '\n';
    else if (what == "readme")
        std::cout << ReadmeTable();
    else if (what == "fill" && argc == 4)
        return Fill(argv[2], argv[3]);
    else
        return 2;
    return 0;
}

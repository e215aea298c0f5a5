#include "cli/Info.h"

#include <cctype>
#include <string>
#include <vector>

#include "cli/TerminalText.h"
#include "core/Errors.h"
#include "core/TPicture.h"
#include "formats/BmpHeaderSummary.h"
#include "formats/PictureLoading.h"
#include "formats/TFileFormatsList.h"

namespace {

// A BMP, or a file of no kind the registry knows, keeps the BMP summary it always had.
bool SummarizedAsBmp(const std::string& path) {
    std::string extension = ExtractExtension(path);
    for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
    return extension == "bmp" || !TFileFormatsList::Instance().FindByExtension(extension);
}

// What any loaded picture tells: its kind (the registry's description), upright size, depth and
// what its file says besides the pixels.
std::vector<std::string> SummarizePicture(const std::string& path) {
    const TFileFormat* format = TFileFormatsList::Instance().FindByExtension(ExtractExtension(path));
    TPicture picture;
    ReadFromFile(picture, path);
    const TGraphic* graphic = picture.HeldGraphic();
    if (!graphic || !format) throw EInvalidGraphic(ErrorText::InvalidBitmap);
    const TPictureMetadata& metadata = graphic->Metadata();
    const int depth = graphic->BitsPerPixel();
    return {
        "Kind:        " + format->description,
        "Width:       " + std::to_string(graphic->Width()),
        "Height:      " + std::to_string(graphic->Height()),
        "BitCount:    " + (depth > 0 ? std::to_string(depth) : std::string("unknown")),
        "Profile:     " + (metadata.iccProfile.empty()
                               ? std::string("none")
                               : "embedded, " + std::to_string(metadata.iccProfile.size()) + " bytes"),
        "Orientation: " + std::to_string(metadata.orientation) +
            (metadata.orientation == 1 ? "" : " (shown upright)"),
    };
}

}  // namespace

int RunInfo(const std::string& path, std::ostream& out, std::ostream& err) {
    try {
        const std::vector<std::string> lines =
            SummarizedAsBmp(path) ? SummarizeBmpHeader(path) : SummarizePicture(path);
        for (const std::string& line : lines) out << line << '\n';
        out.flush();
        return 0;
    } catch (const Exception& e) {
        err << PrintableName(path) << ": " << PrintableText(e.Message()) << '\n';
        return 1;
    }
}

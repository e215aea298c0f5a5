#include "cli/Usage.h"

#include "formats/PictureKinds.h"

const char* const VersionText = "brelvik-cli 1.10\n";

namespace {

// An option's spelling in the column of the explanations (or a line of its own when too long).
std::string OptionHead(const std::string& spelling) {
    constexpr std::size_t Column = 25;
    if (spelling.size() + 2 <= Column) return spelling + std::string(Column - spelling.size(), ' ');
    return spelling + "  ";
}

}  // namespace

std::string UsageText() {
    return std::string(
               "Usage:\n"
               "  brelvik-cli info FILE\n"
               "      Prints the BMP header summary of FILE, as the information window lists it; for\n"
               "      other kinds, the kind, size, depth, colour profile and orientation.\n"
               "  brelvik-cli convert [OPTIONS] SOURCE...\n"
               "      Loads each SOURCE by its extension, applies the edits in the order given and writes\n"
               "      the result. Extensions read: ") +
           ExtensionsText() +
           ".\n"
           "  brelvik-cli --help | --version\n"
           "\n"
           "Options of convert:\n" +
           OptionHead("  -t, --to " + WritableKindNames()) +
           "output kind (default jpeg); PNG is lossless\n"
           "  -q, --quality N        JPEG or WebP quality 0..100 (default 50; 0 encodes like 1)\n"
           "      --lossless         WebP output keeps every pixel (not with -q)\n"
           "      --keep-metadata    JPEG output also carries the source's EXIF (orientation reset to\n"
           "                         1, the pixels being turned upright) and XMP; without it only the\n"
           "                         colour profile is carried\n"
           "  -o, --output PATH      the output file for one SOURCE; for several, an existing folder.\n"
           "                         Without it each output is written next to its SOURCE with the\n"
           "                         new extension. An output that would replace its SOURCE is refused.\n"
           "                         With -r, a folder (made if missing) where the tree is mirrored;\n"
           "                         - writes the one result to standard output.\n"
           "      --max-pixels N     refuse pictures of more than N pixels before their raster is made\n"
           "                         (default 268435456, the largest raster the program makes)\n"
           "      --max-size SIZE    JPEG at the highest quality whose file is at most SIZE bytes; K, M\n"
           "                         or G after the number count 1024, 1024^2 or 1024^3 bytes (KB, MB,\n"
           "                         GB powers of 1000), as du reads them: 80K, 1536K. Found in at most\n"
           "                         7 trial encodes; when even quality 1 is larger, the file fails with\n"
           "                         both sizes and nothing is written. Not with -q\n"
           "Batches:\n"
           "  -j, --jobs N           convert N files at once, in worker processes (default: one per\n"
           "                         processor); outputs and messages are the same as with -j 1\n"
           "  -r, --recursive        a SOURCE that is a folder stands for the pictures under it, by\n"
           "                         extension; hidden files and folders are skipped, links to folders\n"
           "                         are not followed, and a picture that is another SOURCE's output\n"
           "                         (an earlier run's) is left out\n"
           "      --files-from FILE  also convert the SOURCEs listed in FILE, one per line\n"
           "                         (- reads the list from standard input)\n"
           "  -0, --null             the list is separated by NUL bytes (as find -print0 writes)\n"
           "      --json             one JSON record per SOURCE on standard output, in SOURCE order:\n"
           "                         source, output, status (ok, failed, skipped), error (when failed),\n"
           "                         bytes, width, height, quality (of a JPEG file), milliseconds\n"
           "                         (null when unknown)\n"
           "      --skip-existing    skip a SOURCE whose output exists and is newer than it, so a\n"
           "                         stopped batch resumes where it left off\n" +
           OptionHead("      --from " + ReadableKindNames()) +
           "SOURCE - reads a picture of this kind from standard input\n"
           "                         (then the only SOURCE, with -o FILE or -o -)\n"
           "Edits (applied to the working picture in the order given; not with --to ico, which builds\n"
           "the icon from SOURCE as loaded, whatever its kind):\n"
           "  --invert\n"
           "  --lighten N            N one of 10, 20, 30, 40, 50\n"
           "  --darken N             N one of 10, 20, 30, 40, 50\n"
           "  --rotate 90|180\n"
           "  --caption TEXT --at X,Y [--font NAME] [--size POINTS] [--color RRGGBB]\n"
           "                         defaults: \"MS Sans Serif\", 8 points, the window-text colour\n"
           "\n"
           "Exit status: 0 when every file was written (or skipped), 1 when any failed, 2 for a usage\n"
           "error. Ctrl-C stops every worker and leaves no temporary files.\n";
}

#include "cli/Usage.h"

const char* const VersionText = "brelvik-cli 1.10\n";

const char* const UsageText =
    "Usage:\n"
    "  brelvik-cli info FILE\n"
    "      Prints the BMP header summary of FILE, as the information window lists it.\n"
    "  brelvik-cli convert [OPTIONS] SOURCE...\n"
    "      Loads each SOURCE by its extension (bmp, jpg/jpeg, ico, wmf/emf), applies the edits\n"
    "      in the order given and writes the result.\n"
    "  brelvik-cli --help | --version\n"
    "\n"
    "Options of convert:\n"
    "  -t, --to jpeg|ico|bmp  output kind (default jpeg)\n"
    "  -q, --quality N        JPEG quality 0..100 (default 50; 0 encodes like 1)\n"
    "  -o, --output PATH      the output file for one SOURCE; for several, an existing folder.\n"
    "                         Without it each output is written next to its SOURCE with the\n"
    "                         new extension. An output that would replace its SOURCE is refused.\n"
    "Edits (applied to the working picture in the order given; not with --to ico, which builds\n"
    "the icon from SOURCE as stored on disk):\n"
    "  --invert\n"
    "  --lighten N            N one of 10, 20, 30, 40, 50\n"
    "  --darken N             N one of 10, 20, 30, 40, 50\n"
    "  --rotate 90|180\n"
    "  --caption TEXT --at X,Y [--font NAME] [--size POINTS] [--color RRGGBB]\n"
    "                         defaults: \"MS Sans Serif\", 8 points, the window-text colour\n"
    "\n"
    "Exit status: 0 when every file was written, 1 when any failed, 2 for a usage error.\n";

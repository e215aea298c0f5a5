#include "ui/ProgramArguments.h"

#include "formats/PictureKinds.h"

const char* const ProgramVersionText = "Brelvik 1 10\n";

std::string ProgramUsageText() {
    return "Usage: brelvik [FILE]\n"
           "Opens the picture utility's main window. FILE, when given, is opened as if chosen with the\n"
           "first browse button: its path goes into the source box and the picture is loaded by its\n"
           "extension (extensions read: " +
           ExtensionsText() +
           ").\n"
           "\n"
           "Options:\n"
           "  -h, --help             show this help and exit\n"
           "  --version              show the version and exit\n"
           "  --                     the next argument is FILE, even when it starts with '-'\n"
           "\n"
           "Exit status: 0 after the main window was closed, 2 for a usage error.\n";
}

namespace {

ProgramArguments Refused(const std::string& why) {
    ProgramArguments result;
    result.request = ProgramArguments::Mistake;
    result.mistake = why;
    return result;
}

}  // namespace

ProgramArguments ParseProgramArguments(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") return {ProgramArguments::Help, {}, {}};
        if (arg == "--version") return {ProgramArguments::Version, {}, {}};
    }
    ProgramArguments result;
    bool onlyFiles = false;
    for (const std::string& arg : args) {
        if (!onlyFiles && arg == "--") {
            onlyFiles = true;
            continue;
        }
        if (!onlyFiles && arg.size() > 1 && arg[0] == '-') return Refused("unknown option '" + arg + "'");
        if (arg.empty()) return Refused("the picture path is empty");
        if (!result.picture.empty()) return Refused("only one picture can be opened");
        result.picture = arg;
    }
    return result;
}

// brelvik-cli: the picture core, formats and edits of the program, for scripts and batches.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/Edits.h"
#include "cli/Info.h"
#include "cli/Options.h"
#include "cli/Run.h"
#include "cli/Usage.h"
#include "cli/UsageError.h"
#include "formats/JpegRegistration.h"
#include "formats/PictureLoading.h"
#include "platform/PathQuery.h"
#include "platform/TextRuntime.h"

namespace {

int UsageFailure(const std::string& reason) {
    std::cerr << "brelvik-cli: " << reason << "\nTry 'brelvik-cli --help' for more information.\n";
    return 2;
}

int Dispatch(const CommandLine& line, int& argc, char** argv) {
    switch (line.command) {
        case CommandLine::Help: std::cout << UsageText; return 0;
        case CommandLine::Version: std::cout << VersionText; return 0;
        case CommandLine::Info: return RunInfo(line.infoPath, std::cout, std::cerr);
        case CommandLine::Convert: break;
    }
    // Captions are drawn by the toolkit's font engine, loaded with its application object only
    // for them, and in each process that converts (a started toolkit is not to be forked): the
    // other commands start without the toolkit's libraries.
    std::unique_ptr<platform::TextRuntime> text;
    const auto startText = [&] {
        if (DrawsText(line.convert.edits)) text = std::make_unique<platform::TextRuntime>(argc, argv);
    };
    return RunConvert(line.convert, std::cout, std::cerr, platform::StderrIsTerminal(), startText);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        InstallPictureFormats();
        RegisterJpegFormats();
        return Dispatch(line, argc, argv);
    } catch (const UsageError& e) {
        return UsageFailure(e.what());
    } catch (const std::runtime_error& e) {  // the text module could not be loaded
        std::cerr << "brelvik-cli: " << e.what() << '\n';
        return 1;
    }
}

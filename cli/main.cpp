// brelvik-cli: the picture core, formats and edits of the program, for scripts and batches.
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/Edits.h"
#include "cli/Info.h"
#include "cli/ModuleTextEngine.h"
#include "cli/Options.h"
#include "cli/Run.h"
#include "cli/Usage.h"
#include "cli/UsageError.h"
#include "formats/PictureKinds.h"
#include "platform/FileSizeLimit.h"
#include "platform/PathQuery.h"
#include "platform/StandardStreams.h"

namespace {

int UsageFailure(const std::string& reason) {
    std::cerr << "brelvik-cli: " << reason << "\nTry 'brelvik-cli --help' for more information.\n";
    return 2;
}

int Dispatch(const CommandLine& line, ModuleTextEngine& text) {
    switch (line.command) {
        case CommandLine::Help:
            std::cout << UsageText();
            return 0;
        case CommandLine::Version:
            std::cout << VersionText;
            return 0;
        case CommandLine::Info:
            return RunInfo(line.infoPath, std::cout, std::cerr);
        case CommandLine::Convert:
            break;
    }
    // A run with captions starts the font engine in each process that converts, before its first
    // file (a started toolkit is not to be forked), so a missing module ends the run at once.
    const auto startText = [&] {
        if (DrawsText(line.convert.edits)) text.Start();
    };
    return RunConvert(line.convert, std::cout, std::cerr, platform::StderrIsTerminal(), startText);
}

// What was written to standard output must have reached it: a full disk or a closed stream is a
// failure, however the command itself ended.
int CheckedOutput(int status) {
    std::string error;
    if (platform::FlushStandardOutput(error)) return status;
    std::cerr << "brelvik-cli: write error on standard output" << (error.empty() ? "" : ": " + error) << '\n';
    return status == 0 ? 1 : status;
}

}  // namespace

int main(int argc, char** argv) {
    platform::IgnoreFileSizeSignal();
    platform::OccupyClosedStandardStreams();
    // Captions are drawn by the toolkit's font engine, loaded only when text is drawn: the other
    // runs start without the toolkit's libraries.
    ModuleTextEngine text;
    platform::InstallTextEngine(text);
    try {
        CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        InstallPictureKinds();
        return CheckedOutput(Dispatch(line, text));
    } catch (const UsageError& e) {
        return UsageFailure(e.what());
    } catch (const std::runtime_error& e) {  // the text module could not be loaded
        std::cerr << "brelvik-cli: " << e.what() << '\n';
        return 1;
    }
}

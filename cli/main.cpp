// brelvik-cli: the picture core, formats and edits of the program, for scripts and batches.
#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <memory>
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

namespace {

// The error stream carries failures and progress only; the toolkit's start-up remarks (such as a
// missing runtime folder) would read as failures to a script.
void KeepToolkitQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

int UsageFailure(const std::string& reason) {
    std::cerr << "brelvik-cli: " << reason << "\nTry 'brelvik-cli --help' for more information.\n";
    return 2;
}

int Dispatch(const CommandLine& line) {
    switch (line.command) {
        case CommandLine::Help: std::cout << UsageText; return 0;
        case CommandLine::Version: std::cout << VersionText; return 0;
        case CommandLine::Info: return RunInfo(line.infoPath, std::cout, std::cerr);
        case CommandLine::Convert: break;
    }
    return RunConvert(line.convert, std::cerr, platform::StderrIsTerminal());
}

}  // namespace

int main(int argc, char** argv) {
    try {
        CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        // Captions are drawn by the toolkit's font engine, which needs an application object; the
        // other commands start faster without one.
        std::unique_ptr<QGuiApplication> app;
        if (line.command == CommandLine::Convert && DrawsText(line.convert.edits)) {
            setenv("QT_QPA_PLATFORM", "offscreen", 0);
            qInstallMessageHandler(KeepToolkitQuiet);
            app = std::make_unique<QGuiApplication>(argc, argv);
        }
        InstallPictureFormats();
        RegisterJpegFormats();
        return Dispatch(line);
    } catch (const UsageError& e) {
        return UsageFailure(e.what());
    }
}

#include <iostream>
#include <string>
#include <vector>

#include "platform/FileSizeLimit.h"
#include "platform/StandardStreams.h"
#include "ui/Application.h"
#include "ui/ProgramArguments.h"

int main(int argc, char** argv) {
    platform::IgnoreFileSizeSignal();
    // Before anything opens a file (the X connection among them) that could take a closed stream's number.
    platform::OccupyClosedStandardStreams();
    // --help and --version answer on the terminal before the toolkit looks for a display.
    const ProgramArguments early = ParseProgramArguments({argv + 1, argv + argc});
    if (early.request == ProgramArguments::Help) {
        std::cout << ProgramUsageText();
        return 0;
    }
    if (early.request == ProgramArguments::Version) {
        std::cout << ProgramVersionText;
        return 0;
    }
    Application application(argc, argv);
    // The toolkit has taken its own options (-platform, -display, ...) out of argv by now.
    const ProgramArguments args = ParseProgramArguments({argv + 1, argv + argc});
    if (args.request == ProgramArguments::Mistake) {
        std::cerr << "brelvik: " << args.mistake << "\nTry 'brelvik --help' for more information.\n";
        return 2;
    }
    return application.Run(args.picture);
}

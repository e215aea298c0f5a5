#include "cli/Info.h"

#include "cli/TerminalText.h"
#include "core/Errors.h"
#include "formats/BmpHeaderSummary.h"

int RunInfo(const std::string& path, std::ostream& out, std::ostream& err) {
    try {
        for (const std::string& line : SummarizeBmpHeader(path)) out << line << '\n';
        out.flush();
        return 0;
    } catch (const Exception& e) {
        err << PrintableName(path) << ": " << PrintableText(e.Message()) << '\n';
        return 1;
    }
}

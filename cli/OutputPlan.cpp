#include "cli/OutputPlan.h"

#include <set>

#include "cli/UsageError.h"
#include "platform/File.h"
#include "platform/PathQuery.h"

namespace {

std::string::size_type NameStart(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

std::string Folder(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string InFolder(const std::string& folder, const std::string& name) {
    return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string OutputFor(const ConvertOptions& options, const std::string& source) {
    std::string name = PathStem(source) + OutputExtension(options.kind);
    if (!options.output) return Folder(source) + name;
    // A folder given for a single SOURCE is treated like one given for several.
    if (platform::IsDirectory(*options.output)) return InFolder(*options.output, name);
    return *options.output;
}

}  // namespace

std::string PathStem(const std::string& path) {
    std::string name = path.substr(NameStart(path));
    std::string::size_type dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::vector<PlannedOutput> PlanOutputs(const ConvertOptions& options) {
    if (options.sources.size() > 1 && options.output && !platform::IsDirectory(*options.output))
        throw UsageError("with several SOURCEs, -o must name an existing folder");
    std::vector<PlannedOutput> plan;
    std::set<std::string> taken;
    for (const std::string& source : options.sources) {
        PlannedOutput entry{source, OutputFor(options, source), {}};
        std::string full = platform::FullPath(entry.output);
        if (platform::IsSameFile(source, entry.output) || full == platform::FullPath(source))
            entry.refusal = "the output \"" + entry.output + "\" would replace the source; choose another with -o";
        else if (!taken.insert(full).second)
            entry.refusal = "the output \"" + entry.output + "\" is already written for an earlier SOURCE";
        plan.push_back(entry);
    }
    return plan;
}

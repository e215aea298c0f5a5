#include "cli/OutputPlan.h"

#include <map>
#include <set>

#include "cli/SourceList.h"
#include "cli/UsageError.h"
#include "platform/File.h"
#include "platform/FileIdentity.h"
#include "platform/PathQuery.h"

namespace {

std::string::size_type NameStart(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

std::string Folder(const std::string& path) {
    return path.substr(0, NameStart(path));
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string OutputFor(const ConvertOptions& options, const SourceFile& source) {
    std::string name = PathStem(source.path) + OutputExtension(options.kind);
    if (!options.output) return Folder(source.path) + name;
    if (options.recursive) return InFolder(*options.output, source.subfolder + name);
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

namespace {

void CheckOutputOption(const ConvertOptions& options, std::size_t sourceCount) {
    if (!options.output) return;
    if (*options.output == StandardStream) {
        if (sourceCount != 1)
            throw UsageError("-o - writes one picture to standard output, so it takes exactly one SOURCE");
        return;
    }
    if (options.recursive) {
        if (platform::FileSize(*options.output) >= 0 && !platform::IsDirectory(*options.output))
            throw UsageError("with -r, -o must name a folder");
        return;
    }
    if (sourceCount > 1 && !platform::IsDirectory(*options.output))
        throw UsageError("with several SOURCEs, -o must name an existing folder");
}

// Files are compared by identity, not by the text of their paths, which links make differ.
std::string Refusal(const std::string& source, const std::string& output, std::set<std::string>& taken) {
    if (source == StandardStream || output == StandardStream) return {};
    const std::string identity = platform::FileIdentity(output);
    if (identity == platform::FileIdentity(source))
        return "the output \"" + output + "\" would replace the source; choose another with -o";
    if (!taken.insert(identity).second)
        return "the output \"" + output + "\" is already written for an earlier SOURCE";
    return {};
}

// A picture found by -r that another SOURCE of the run writes (the output folder may lie inside
// the tree, named through a link or not).
void DropOthersOutputs(const ConvertOptions& options, std::vector<SourceFile>& sources) {
    std::map<std::string, int> writers;
    for (const SourceFile& source : sources) ++writers[platform::FileIdentity(OutputFor(options, source))];
    std::erase_if(sources, [&](const SourceFile& source) {
        if (!source.walked || !source.refusal.empty()) return false;
        const std::string self = platform::FileIdentity(source.path);
        const auto found = writers.find(self);
        const int ownOutput = platform::FileIdentity(OutputFor(options, source)) == self ? 1 : 0;
        return found != writers.end() && found->second > ownOutput;
    });
}

}  // namespace

std::vector<PlannedOutput> PlanOutputs(const ConvertOptions& options) {
    std::vector<SourceFile> sources = GatherSources(options);
    if (options.recursive) DropOthersOutputs(options, sources);
    CheckOutputOption(options, sources.size());
    std::vector<PlannedOutput> plan;
    std::set<std::string> taken;
    for (const SourceFile& source : sources) {
        // A folder that could not be read has no output to name.
        PlannedOutput entry{source.path, source.refusal.empty() ? OutputFor(options, source) : std::string(),
                            source.refusal};
        if (entry.refusal.empty()) entry.refusal = Refusal(entry.source, entry.output, taken);
        entry.skip = options.skipExisting && entry.refusal.empty() && entry.output != StandardStream &&
                     platform::IsNewerFile(entry.output, entry.source);
        plan.push_back(entry);
    }
    return plan;
}

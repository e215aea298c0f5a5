#include "cli/SourceList.h"

#include <algorithm>

#include "cli/TerminalText.h"
#include "cli/UsageError.h"
#include "core/Errors.h"
#include "formats/PictureLoading.h"
#include "formats/TFileFormatsList.h"
#include "platform/FolderWalk.h"
#include "platform/PathQuery.h"
#include "platform/StandardStreams.h"

namespace {

std::string ReadList(const std::string& name) {
    std::string list, error;
    if (!platform::ReadWholeInput(name, list, error))
        throw UsageError(name == StandardStream
                             ? "Cannot read standard input. " + error
                             : Format(ErrorText::FOpen, PrintableName(name).c_str(), error.c_str()));
    return list;
}

// Empty entries (a blank line, the separator after the last name) name nothing.
std::vector<std::string> SplitList(const std::string& text, char separator) {
    std::vector<std::string> names;
    std::string::size_type start = 0;
    while (start < text.size()) {
        std::string::size_type end = text.find(separator, start);
        if (end == std::string::npos) end = text.size();
        if (end > start) names.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

bool IsPictureName(const std::string& name) {
    return TFileFormatsList::Instance().FindByExtension(ExtractExtension(name)) != nullptr;
}

std::string FolderOf(const std::string& relative) {
    const std::string::size_type slash = relative.rfind('/');
    return slash == std::string::npos ? std::string() : relative.substr(0, slash + 1);
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The pictures and the folders that could not be read, in the order of their paths below `folder`,
// as a listing of the whole tree would give them.
void AddFolder(const std::string& folder, std::vector<SourceFile>& sources) {
    const platform::FolderListing listing = platform::ListFilesUnder(folder);
    std::vector<std::pair<std::string, SourceFile>> found;
    for (const auto& [relative, reason] : listing.unreadable) {
        const std::string path = relative.empty() ? folder : Join(folder, relative);
        found.push_back({relative, SourceFile{path, relative.empty() ? "" : relative + "/", true,
                                              "cannot read the folder: " + reason}});
    }
    for (const std::string& relative : listing.files)
        if (IsPictureName(relative))
            found.push_back({relative, SourceFile{Join(folder, relative), FolderOf(relative), true, {}}});
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& entry : found) sources.push_back(std::move(entry.second));
}

}  // namespace

std::vector<SourceFile> GatherSources(const ConvertOptions& options) {
    std::vector<std::string> named = options.sources;
    if (options.filesFrom) {
        std::vector<std::string> listed =
            SplitList(ReadList(*options.filesFrom), options.nullSeparated ? '\0' : '\n');
        named.insert(named.end(), listed.begin(), listed.end());
    }
    std::vector<SourceFile> sources;
    for (const std::string& path : named) {
        if (options.recursive && platform::IsDirectory(path))
            AddFolder(path, sources);
        else
            sources.push_back(SourceFile{path, {}, false, {}});
    }
    return sources;
}

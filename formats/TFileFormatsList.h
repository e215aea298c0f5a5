#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/TGraphic.h"

// A graphic class as the registry knows it: its name and how to make an empty one.
struct TGraphicClass {
    std::string name;
    std::function<std::unique_ptr<TGraphic>()> create;
};

struct TFileFormat {
    std::string extension;  // lower case, no dot
    std::string description;
    TGraphicClass graphicClass;
    int descriptionResourceId = 0;
};

// The process-wide picture-format registry: made on first use with the entries
// "wmf", "emf", "ico", "bmp"; the JPEG kinds are added at start-up.
class TFileFormatsList {
public:
    static TFileFormatsList& Instance();

    void RegisterFormat(const std::string& extension, const std::string& description,
                        TGraphicClass graphicClass);
    void UnregisterClass(const std::string& className);
    // Case-insensitive, from the last entry to the first; null when none matches.
    const TFileFormat* FindByExtension(const std::string& extension) const;
    // Exact, case-sensitive class name, from the last entry to the first.
    const TGraphicClass* FindByClassName(const std::string& className) const;
    const std::vector<TFileFormat>& Entries() const { return entries_; }

private:
    TFileFormatsList();
    std::vector<TFileFormat> entries_;
};

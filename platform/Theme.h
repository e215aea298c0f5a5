#pragma once
#include <memory>
#include <string>

namespace platform {

struct OsVersion {
    int Major = 0, Minor = 0;
};

// The names the desktop's visual-styles service reports for the current theme.
struct ThemeNames {
    std::string ThemeFile, ColorScheme, Size;
};

// The desktop's visual-styles service. This desktop has none: the default service reports a
// version that has the service but no entry to query, so callers fall back to their plain look.
// Tests install their own service to stand in for a themed desktop.
class ThemeService {
public:
    virtual ~ThemeService() = default;
    virtual OsVersion Version() const;
    // Whether the library and its current-theme entry can be loaded.
    virtual bool HasThemeNameQuery() const;
    // 0 on success; otherwise a failure code (as when no visual theme is active).
    virtual long CurrentThemeName(ThemeNames& names) const;
    // The system's message for a failure code of CurrentThemeName.
    virtual std::string FailureMessage(long code) const;
};

const ThemeService& CurrentThemeService();
// Replaces the service in use; nullptr restores the default.
void InstallThemeService(std::unique_ptr<ThemeService> service);

}  // namespace platform

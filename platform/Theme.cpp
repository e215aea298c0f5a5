#include "platform/Theme.h"

namespace platform {

namespace {

std::unique_ptr<ThemeService>& InstalledService() {
    static std::unique_ptr<ThemeService> service = std::make_unique<ThemeService>();
    return service;
}

}  // namespace

// This desktop has no visual-styles library, so there is no current-theme entry to call.
OsVersion ThemeService::Version() const {
    return {5, 1};
}
bool ThemeService::HasThemeNameQuery() const {
    return false;
}
long ThemeService::CurrentThemeName(ThemeNames& names) const {
    names = {};
    return long(0x80070490);  // element not found: no theme active
}
std::string ThemeService::FailureMessage(long) const {
    return "Element not found";
}

const ThemeService& CurrentThemeService() {
    return *InstalledService();
}

void InstallThemeService(std::unique_ptr<ThemeService> service) {
    InstalledService() = service ? std::move(service) : std::make_unique<ThemeService>();
}

}  // namespace platform

#pragma once
#include <functional>
#include <string>

namespace platform {

// Hands a file to the desktop's default action for it (opens it in its associated program). The
// outcome is not reported: a missing file or one without a program simply opens nothing. A relative
// path is taken from the program's working folder.
void ShellExecute(const std::string& path);

// Replaces the desktop call (tests record the absolute paths instead); an empty function restores it.
void SetShellExecuteHook(std::function<void(const std::string&)> hook);

}  // namespace platform

#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/TColor.h"

struct FileDialogResult {
    std::string fileName;
    int filterIndex = 1;
};

// What a file dialog starts from: the filter ("description|pattern|..."), the 1-based filter index
// and the name last confirmed. `filterChanged` reports each change of file type the user makes
// while the dialog is open.
struct FileDialogRequest {
    std::string filter;
    int filterIndex = 1;
    std::string fileName;
    std::function<void(int)> filterChanged;
    // Shows the component's own dialog (the picture dialogs with their preview); the real handler
    // runs it when given, a plain file dialog otherwise.
    std::function<std::optional<FileDialogResult>()> show;
};

struct FontChoice {
    std::string name = "MS Sans Serif";
    int sizePoints = 8;
    TColor color = clWindowText;
    std::uint8_t style = 0;  // TFontStyle bits
};

// Every modal dialog of the program goes through this one object, so tests can answer them.
// The default implementation shows real Qt dialogs.
class DialogHandler {
public:
    virtual ~DialogHandler() = default;
    // The error box: error icon, one OK button.
    virtual void ShowError(const std::string& title, const std::string& text);
    // Empty when the user cancels.
    virtual std::optional<FileDialogResult> RunOpenDialog(const FileDialogRequest& request);
    virtual std::optional<FileDialogResult> RunSaveDialog(const FileDialogRequest& request);
    virtual std::optional<FontChoice> RunFontDialog(const FontChoice& current);
};

DialogHandler& Dialogs();
// Installs a replacement (not owned); null restores the real dialogs.
void SetDialogHandler(DialogHandler* handler);

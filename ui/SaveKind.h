#pragma once
#include <optional>
#include <string>

// The two kinds of file the main window saves. Each is one entry of the save dialog's type list,
// and the dialog's filter index (counted from 1) is how the window learns which one was picked.
enum class SaveKind { Jpeg, Icon };

// The kind a filter index of the save dialog stands for; none for an index outside its list.
std::optional<SaveKind> SaveKindAt(int filterIndex);
// What the saved file's name gets after the target text: ".jpg" or ".ico".
const char* ExtensionOf(SaveKind kind);
// The save dialog's type list: each kind's description and pattern, in filter-index order.
std::string SaveDialogFilter();

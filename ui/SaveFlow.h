#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "ui/SaveKind.h"

class TPicture;

// The steps of the main window's save button, free of the window: it hands each step what its
// controls hold.

// The file a save writes: the target text with the kind's extension after it, even when the text
// already ends in one. Without a kind (an index outside the dialog's list) the name is the icon's.
std::string SavedFileName(const std::string& target, std::optional<SaveKind> kind);

// Refuses an empty target text, which would write a hidden file named by the extension alone in
// the working folder.
void CheckSaveTarget(const std::string& target);

// Refuses a picture without pixels, of which any save would write an empty or broken file.
void CheckSavedPicture(const TPicture& working);

// Compresses the picture the working box holds at the slider's position (0 to 100; 0 writes as 1)
// and writes it to `name`;
// the file is begun only once the compressed bytes exist. A picture without pixels is refused
// before anything is written.
void SaveAsJpeg(const TPicture& working, int sliderPosition, const std::string& name);

// After a write: pauses 100 ms, then loads the written file into the preview by its extension.
// Returns the file's size as the size probe reports it, taken before the preview is loaded.
std::int64_t ReadBackSavedFile(const std::string& name, TPicture& preview);

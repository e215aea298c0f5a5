#pragma once
#include <functional>

class TPicture;

// Runs one edit of the menu or of a dialog on the working picture. The picture as shown is first
// drawn into a raster of its size (the start-up photograph and a loaded JPEG keep their pixels),
// the holder's change notices are held back until the edit is done, so the box repaints once, and
// the busy pointer shows meanwhile.
void EditWorkingPicture(TPicture& picture, const std::function<void(TPicture&)>& edit);

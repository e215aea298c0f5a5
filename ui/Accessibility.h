#pragma once

// Makes the program's own controls known to the toolkit's accessibility (the styled controls and
// the image boxes, shown as graphics described by their picture). Called before the windows exist.
void InstallAccessibility();

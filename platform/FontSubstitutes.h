#pragma once

namespace platform {

// Maps the faces the windows and captions ask for ("MS Sans Serif", "Arial") to faces the install
// script puts on every machine, so text has the same widths whatever the user's font setup says.
// Needs the application object; calling it again changes nothing.
void InstallFontSubstitutes();

}  // namespace platform

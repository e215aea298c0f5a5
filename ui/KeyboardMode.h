#pragma once

class QEvent;

// Whether the user's last press was a key rather than a mouse button. A window shown by a key
// (a menu command chosen with the keyboard) starts with its focus marks on, as if Tab had been
// pressed in it; one opened by a click looks as it always did.
void NoteUserInput(const QEvent& event);
bool LastPressWasKey();

#pragma once

// Creates the six windows hidden, in the order TForm1 to TForm6, into Form1 to Form6.
void CreateForms();
// Destroys them in the reverse order and clears the globals.
void DestroyForms();
// The other five windows become transient for the main window: window lists show the program
// once, and the windows stay over it (a Wayland compositor places them itself).
void KeepSecondaryFormsOverMain();

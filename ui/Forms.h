#pragma once

// Creates the six windows hidden, in the order TForm1 to TForm6, into Form1 to Form6.
void CreateForms();
// Destroys them in the reverse order and clears the globals.
void DestroyForms();

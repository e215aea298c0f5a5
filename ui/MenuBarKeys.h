#pragma once

class QMenuBar;

// Alt alone puts the menu bar into keyboard mode (its first entry highlighted; arrows move, Return
// or Down opens) with the focus mark on the chosen entry; the style otherwise looks the same.
void LetAltReachMenuBar(QMenuBar& bar);

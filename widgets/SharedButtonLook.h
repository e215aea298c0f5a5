#pragma once

class TFancyButton;

// The look every button of the program shares: lime face, red graded frame 4 wide, yellow caption
// under the pointer, rectangle with corner radius 6, lowered caption, glyph at the left.
void ApplySharedButtonLook(TFancyButton& button);

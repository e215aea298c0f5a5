#include "ui/ImageDrawRule.h"

platform::TRect ImageDrawRect(int w, int h, int cw, int ch, bool stretch, bool proportional, bool center) {
    if (stretch || (proportional && (w > cw || h > ch))) {
        if (proportional && w > 0 && h > 0) {
            double aspect = double(w) / h;
            if (w > h) {
                w = cw;
                h = int(cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = int(aspect * ch);
                }
            } else {
                h = ch;
                w = int(aspect * ch);
                if (w > cw) {
                    w = cw;
                    h = int(cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    platform::TRect rect{0, 0, w, h};
    if (center) {
        int dx = (cw - w) / 2, dy = (ch - h) / 2;
        rect = platform::TRect{dx, dy, dx + w, dy + h};
    }
    return rect;
}

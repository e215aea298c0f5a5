#include "widgets/FancyLayout.h"

namespace {

// Space left beside glyph, distance and text, halved; 0 when they do not fit.
int Slack(int room, int used) {
    return used < room ? (room - used) / 2 : 0;
}

}  // namespace

FancyLayout ComputeFancyLayout(TBmpLayout layout, const FancyLayoutInput& in) {
    FancyLayout out;
    const int gw = in.GlyphWidth, gh = in.GlyphHeight, tw = in.TextWidth, th = in.TextHeight, d = in.Distance;
    const int centredLeft = gw < in.Width ? (in.Width - gw) / 2 : 0;
    const int centredTop = in.Height > gh ? (in.Height - gh) / 2 : 0;
    const int horizontal = Slack(in.Width, d + gw + tw), vertical = Slack(in.Height, gh + d + th);
    switch (layout) {
        case lyLeft:
            out.GlyphLeft = horizontal;
            out.GlyphTop = centredTop;
            out.TextLeft = out.GlyphLeft + gw + d;
            out.TextTop = (in.Height - th) / 2;
            break;
        case lyRight:
            out.GlyphLeft = in.Width - horizontal - gw;
            out.GlyphTop = centredTop;
            out.TextLeft = out.GlyphLeft - d - tw;
            out.TextTop = (in.Height - th) / 2;
            break;
        case lyTop:
            out.GlyphLeft = centredLeft;
            out.GlyphTop = vertical;
            out.TextLeft = (in.Width - tw) / 2;
            out.TextTop = out.GlyphTop + gh + d;
            break;
        case lyBottom:
            out.GlyphLeft = centredLeft;
            out.GlyphTop = in.Height - vertical - gh;
            out.TextLeft = (in.Width - tw) / 2;
            out.TextTop = out.GlyphTop - d - th;
            break;
        case lyCenter:
        default:
            out.GlyphLeft = centredLeft;
            out.GlyphTop = centredTop;
            out.TextLeft = (in.Width - tw) / 2;
            out.TextTop = (in.Height - th) / 2;
            break;
    }
    return out;
}

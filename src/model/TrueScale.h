#pragma once

#include "model/PageRect.h"
#include "model/ScreenRect.h"
#include "platform/PainterSurface.h"
#include "platform/Point.h"

// How the page meets the capture screen when nothing is zoomed or scrolled: 96 pixels to the
// inch, one pixel for every 254 / 96 page units, y turned downward. A field not yet placed on the
// capture screen lies where this puts its page rectangle, and a table's column is as wide there
// as this makes its page width, whatever any window shows at the moment. Text measured to fit a
// control is measured at this resolution too, so that the format never depends on a view.
class TrueScale {
public:
    static constexpr double kPixelsPerInch = 96.0;

    // The pixel of a page point; far beyond any sheet the result is held at four million.
    static Point ToScreen(Point page);
    // The two corners of a page rectangle as pixels, in the same order (left top, right bottom).
    static ScreenRect ToScreen(const PageRect& page);
    // A page width as pixels.
    static int WidthOnScreen(int pageWidth);
    // A surface of this resolution for measuring text: no window, no printer.
    static PainterSurface::DeviceInfo Device();
};

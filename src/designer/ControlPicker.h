#pragma once

#include "model/Format.h"
#include "platform/Point.h"

#include <vector>

class CControles;

// Which control a click on the page means. A rectangle and a line draw only their strokes, and
// what lies within their rectangle (another control, or the paper) shows through: they are
// picked on their strokes only. Every other control covers its rectangle (a field's white box,
// a picture, the lettering of a text) and is picked anywhere inside. Where several controls lie
// under the pointer, one wholly inside another comes before its container, whatever layer each
// is drawn on; otherwise the top layer comes first.
//
// Reach is how far from a stroke, in page units, the pointer still lies on it: the view gives
// it so that it stays the same number of pixels at every zoom.
class ControlPicker {
public:
    // Every control under the pointer in the order a click goes through them, those the pointer
    // sees through included: what Alt+click cycles over.
    static std::vector<int> Under(const ControlList& controls, Point p, int reach);
    // The control a plain click picks: the first of Under that is not seen through there; -1
    // when the click falls on the paper.
    static int Pick(const ControlList& controls, Point p, int reach);
    // Whether the control draws only strokes, leaving the rest of its rectangle clear.
    static bool SeeThrough(const CControles& control);
    // Whether the point lies within reach of what a see-through control draws.
    static bool OnStroke(const CControles& control, Point p, int reach);
};

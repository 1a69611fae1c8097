#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Where "Cascada" and "Mosaico" put the child windows: given the area's size and each window's
// smallest size, in the order the windows are stacked (the last one in front), a rectangle for
// each. Every rectangle lies whole inside the area, its title bar within reach; a window is
// never made smaller than its smallest size, so windows overlap where the area is too small for
// them side by side.
class WindowArrangement {
public:
    // Each window a step lower and further right than the one before, all of one size that
    // leaves room for the steps (at least two thirds of the area); when the steps would leave
    // the area they start again at its corner.
    static QList<QRect> Cascade(const QSize& area, const QList<QSize>& minimums, int step);
    // Side by side in rows of equal height, as many columns as the square root of the count
    // asks for; a last row with fewer windows shares the whole width among them.
    static QList<QRect> Tile(const QSize& area, const QList<QSize>& minimums);
};

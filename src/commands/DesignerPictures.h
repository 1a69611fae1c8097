#pragma once

#include "commands/ToolPicture.h"

#include <QCursor>
#include <QIcon>
#include <QList>
#include <QPixmap>

// The designers' own pictures, drawn by code: the design views' cursors and the buttons of the
// format designer's two toolbars and the capture-screen designer's toolbar. Each is drawn from the
// same outline at every size, so the high-density copy is the same picture, sharper.
class DesignerPictures {
public:
    // The design view's cursors, by their resource numbers.
    static constexpr int kCrossHairCursor = 132;    // the insertion tool
    static constexpr int kArrowCursor = 133;        // the selection tool
    static constexpr int kSizeWidthCursor = 135;    // a left or right edge, a column divider
    static constexpr int kSizeHeightCursor = 139;   // a lower or upper edge, a row divider
    static constexpr int kSelectColumnCursor = 140; // above a table's column
    static constexpr int kSelectRowCursor = 141;    // left of a table's row

    // Cursor pictures are 32 x 32, tool buttons 16 x 15 (at a device pixel ratio of 1).
    static constexpr int kCursorSize = 32;
    static constexpr int kToolWidth = 16;
    static constexpr int kToolHeight = 15;

    // The cursor with that number; the platform's arrow for a number that is not one of ours.
    static QCursor Cursor(int id);
    // A toolbar button's picture, at ratios 1 and 2; a null icon for one not drawn here.
    static QIcon ToolIcon(ToolPicture tool);

    // The pictures themselves at a device pixel ratio (1 or 2), and the cursor's hot spot in
    // pixels of ratio 1; null pictures for numbers that are not ours.
    static QPixmap CursorPixmap(int id, qreal ratio = 1);
    static QPoint CursorHotSpot(int id);
    static QPixmap ToolPixmap(ToolPicture tool, qreal ratio = 1);

    // Every cursor drawn here, and every button: those of toolbars 130 and 136 in their toolbar
    // order followed by those only toolbar 148 has.
    static QList<int> CursorIds();
    static QList<ToolPicture> Tools();
};

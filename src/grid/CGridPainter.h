#pragma once

#include <QColor>

class QPainter;
class QPalette;
class QRect;

// The look of the grid's three-dimensional header cells and of the frame around the grid, in the
// system's button colours.
class CGridPainter {
public:
    enum class Look { Raised, Pressed, Highlighted };

    // Takes the button colours from palette.
    void UseColors(const QPalette& palette);

    void SetFrame(bool frame) { frame_ = frame; }
    bool Frame() const { return frame_; }

    // A header cell covering rect: face, light upper-left and dark lower-right edges (the other
    // way round when pressed); a highlighted cell is tinted with the selection colour.
    void DrawHeaderCell(QPainter& painter, const QRect& rect, Look look) const;
    // A sunken frame along the inside of rect.
    void DrawFrame(QPainter& painter, const QRect& rect) const;

    QColor Face() const { return face_; }
    QColor GridLine() const { return gridLine_; }

private:
    bool frame_ = false;
    QColor face_{212, 208, 200};
    QColor light_{255, 255, 255};
    QColor shadow_{128, 128, 128};
    QColor darkShadow_{64, 64, 64};
    QColor highlight_{182, 202, 234};
    QColor gridLine_{192, 192, 192};
};

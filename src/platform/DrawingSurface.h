#pragma once

#include "platform/ColorRef.h"
#include "platform/LogFont.h"
#include "platform/Point.h"
#include "platform/Rect.h"

#include <QFlags>
#include <QString>

class QImage;

// Mapping modes: how logical units become device pixels.
enum class MapMode {
    Text = 1,     // one unit is one pixel, y downward
    LoMetric = 2, // one unit is 0.1 mm, y upward
    HiMetric = 3, // one unit is 0.01 mm, y upward
};

enum class BkMode { Transparent = 1, Opaque = 2 };

enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, Null = 5 };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 0; // logical units; 0 is one device pixel
    ColorRef color = kBlack;
    friend bool operator==(const Pen&, const Pen&) = default;
};

enum class BrushStyle { Solid = 0, Null = 1 };

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    ColorRef color = kWhite;
    friend bool operator==(const Brush&, const Brush&) = default;
};

// Alignment of text drawn at a point: one horizontal and one vertical code, combined. Left and
// Top are the zero codes.
enum class TextAlign : unsigned {
    Left = 0,
    Right = 2,
    Center = 6,
    Top = 0,
    Bottom = 8,
    Baseline = 24,
    HorizontalMask = 6,
    VerticalMask = 24,
};
Q_DECLARE_FLAGS(TextAlignFlags, TextAlign)
Q_DECLARE_OPERATORS_FOR_FLAGS(TextAlignFlags)

// Options of text drawn at a point within a rectangle.
enum class TextOutOption : unsigned {
    Opaque = 2,
    Clipped = 4,
};
Q_DECLARE_FLAGS(TextOutOptions, TextOutOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TextOutOptions)

// How text drawn into a rectangle is laid out. Left is the zero code.
enum class TextLayout : unsigned {
    Left = 0,
    Center = 1,
    Right = 2,
    VCenter = 4,
    Bottom = 8,
    WordBreak = 0x10,
    SingleLine = 0x20,
    NoClip = 0x100,
    CalcRect = 0x400,
};
Q_DECLARE_FLAGS(TextLayoutFlags, TextLayout)
Q_DECLARE_OPERATORS_FOR_FLAGS(TextLayoutFlags)

// Metrics of the selected font, in logical units.
struct TextMetrics {
    int height = 0; // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = 0;
};

enum class DeviceCap {
    HorzRes,    // printable width, pixels
    VertRes,    // printable height, pixels
    LogPixelsX, // pixels per inch
    LogPixelsY,
    PhysicalWidth, // the whole sheet, pixels
    PhysicalHeight,
    PhysicalOffsetX, // unprintable margin at the left of the sheet, pixels
    PhysicalOffsetY, // unprintable margin at the top of the sheet, pixels
};

// A place to draw on (a window, an off-screen picture, a printer page) with a mapping mode.
// Controls draw only through these operations, in the surface's current logical units. The
// Select and Set operations return what was in force before, so the caller can restore it.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual Pen SelectPen(const Pen& pen) = 0;
    virtual Brush SelectBrush(const Brush& brush) = 0;
    virtual LogFont SelectFont(const LogFont& font) = 0;
    virtual ColorRef SetTextColor(ColorRef color) = 0;
    virtual ColorRef SetBkColor(ColorRef color) = 0;
    virtual BkMode SetBkMode(BkMode mode) = 0;
    virtual TextAlignFlags SetTextAlign(TextAlignFlags align) = 0;
    virtual MapMode SetMapMode(MapMode mode) = 0;
    virtual Point SetWindowOrg(Point origin) = 0;
    virtual Point SetViewportOrg(Point origin) = 0;

    virtual MapMode GetMapMode() const = 0;
    virtual Point GetWindowOrg() const = 0;
    virtual LogFont GetFont() const = 0;

    // Outline with the current pen, inside with the current brush.
    virtual void Rectangle(const Rect& rect) = 0;
    virtual void FillSolidRect(const Rect& rect, ColorRef color) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void TextOut(int x, int y, const QString& text) = 0;
    virtual void ExtTextOut(int x, int y, TextOutOptions options, const Rect& rect,
                            const QString& text) = 0;
    // Draws (or with CalcRect only measures) text into rect; returns the text's height in
    // logical units. With CalcRect the rectangle is changed to the extent of the text.
    virtual int DrawText(const QString& text, Rect& rect, TextLayoutFlags layout) = 0;
    virtual TextMetrics GetTextMetrics() const = 0;
    // Width and height of a line of text in the current font, logical units (both positive).
    virtual Point GetTextExtent(const QString& text) const = 0;
    // Copies source (a part of image, in image pixels) stretched onto dest (logical units).
    virtual void StretchImage(const Rect& dest, const QImage& image, const Rect& source) = 0;

    virtual Point LPtoDP(Point p) const = 0;
    virtual Point DPtoLP(Point p) const = 0;
    virtual int GetDeviceCaps(DeviceCap cap) const = 0;
};

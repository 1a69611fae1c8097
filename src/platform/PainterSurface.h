#pragma once

#include "platform/DrawingSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPen>
#include <QPointF>
#include <QRectF>

#include <QHash>

#include <deque>
#include <optional>

class QPainter;
class QPaintDevice;

// A drawing surface over a QPainter: a widget, an off-screen QImage or a printer's page. Device
// space is the painter's own coordinate system in pixels; the mapping mode, window origin and
// viewport origin turn logical units into it. Text is always drawn upright, even where y grows
// upward, and fonts are made at the device's resolution so that printed text keeps its size.
//
// What reaches the painter is only what changes the picture: a text is cut by its clipping
// rectangle only when some of its ink would fall outside it, and painter state is neither saved
// nor restored around a text that needs neither a cut nor a turn. Fonts are made once and the
// texts measured in them are remembered, so that a surface printing many sheets of the same
// stationery measures each of its texts once.
class PainterSurface : public DrawingSurface {
public:
    // What the surface reports of its device. Printers report the unprintable margin as the
    // physical offset; the painter's origin is then the corner of the printable area.
    struct DeviceInfo {
        double dpiX = 96;
        double dpiY = 96;
        int horzRes = 0;
        int vertRes = 0;
        int physicalWidth = 0;
        int physicalHeight = 0;
        int physicalOffsetX = 0;
        int physicalOffsetY = 0;
    };

    explicit PainterSurface(QPainter& painter);
    PainterSurface(QPainter& painter, const DeviceInfo& info);
    ~PainterSurface() override;

    static DeviceInfo DescribeDevice(const QPaintDevice& device);

    Pen SelectPen(const Pen& pen) override;
    Brush SelectBrush(const Brush& brush) override;
    LogFont SelectFont(const LogFont& font) override;
    ColorRef SetTextColor(ColorRef color) override;
    ColorRef SetBkColor(ColorRef color) override;
    BkMode SetBkMode(BkMode mode) override;
    TextAlignFlags SetTextAlign(TextAlignFlags align) override;
    MapMode SetMapMode(MapMode mode) override;
    Point SetWindowOrg(Point origin) override;
    Point SetViewportOrg(Point origin) override;
    MapMode GetMapMode() const override { return m_selected.mapMode; }
    Point GetWindowOrg() const override { return m_selected.windowOrg; }
    LogFont GetFont() const override { return m_selected.font; }

    void Rectangle(const Rect& rect) override;
    void FillSolidRect(const Rect& rect, ColorRef color) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const QString& text) override;
    void ExtTextOut(int x, int y, TextOutOptions options, const Rect& rect,
                    const QString& text) override;
    int DrawText(const QString& text, Rect& rect, TextLayoutFlags layout) override;
    TextMetrics GetTextMetrics() const override;
    Point GetTextExtent(const QString& text) const override;
    void StretchImage(const Rect& dest, const QImage& image, const Rect& source) override;

    Point LPtoDP(Point p) const override;
    Point DPtoLP(Point p) const override;
    int GetDeviceCaps(DeviceCap cap) const override;

    // The Qt font a logical font becomes on this surface in the current mapping mode.
    QFont MakeQFont(const LogFont& font) const;

    // Selects what a new surface has selected, keeping the fonts made and the texts measured:
    // each sheet of a batch then starts as the first did.
    void SelectDefaults();

private:
    // What a text measures in one font, as far as it has been asked.
    struct TextMeasure {
        std::optional<double> advance;
        std::optional<QRectF> ink;
    };
    // A font made for this surface in one mapping mode, with its metrics and the texts measured
    // in it: a surface that prints many sheets measures each text of the stationery once.
    struct PreparedFont {
        LogFont logFont;
        MapMode mapMode;
        QFont font;
        QFontMetricsF metrics;
        double ascent;
        double descent;
        mutable std::optional<TextMetrics> textMetrics;
        mutable QHash<QString, TextMeasure> measures;
    };

    double ScaleX() const;
    double ScaleY() const; // negative where y grows upward
    QPointF ToDevice(double x, double y) const;
    QRectF ToDevice(const Rect& rect) const;
    const PreparedFont& Prepared(const LogFont& font) const;
    const PreparedFont& CurrentFont() const;
    const QPen& CurrentQPen() const;
    // One line of text at a reference point, placed by the text alignment; with a clip, what
    // falls outside it is cut off.
    void DrawTextLine(const QPointF& reference, const QString& text, const QRectF* clip);
    static TextMeasure& Measured(const PreparedFont& font, const QString& text);
    static double Advance(const PreparedFont& font, const QString& text);
    // The box of the ink of text drawn at origin.
    static QRectF InkBox(const PreparedFont& font, const QPointF& origin, const QString& text);
    void Fill(const QRectF& box, ColorRef color);

    QPainter& m_painter;
    DeviceInfo m_info;
    // What is selected into the surface and where it draws, as a new surface has them.
    struct Selection {
        Pen pen;
        Brush brush;
        LogFont font;
        ColorRef textColor = kBlack;
        ColorRef bkColor = kWhite;
        BkMode bkMode = BkMode::Opaque;
        TextAlignFlags textAlign;
        MapMode mapMode = MapMode::Text;
        Point windowOrg;
        Point viewportOrg;
        QPointF current;
    };
    Selection m_selected;
    // The fonts made so far, most recent last; references to them stay valid as more are made.
    mutable std::deque<PreparedFont> m_fonts;
    mutable const PreparedFont* m_currentFont = nullptr;
    // The pen lines are drawn with, made once for each pen selected.
    mutable std::optional<QPen> m_qpen;
};

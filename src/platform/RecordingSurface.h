#pragma once

#include "platform/DrawingSurface.h"

#include <functional>
#include <map>
#include <vector>

// One drawing call as the recording surface saw it, with the state in force when it was made.
struct SurfaceCall {
    QString op;
    std::vector<int> args;
    QString text;
    Pen pen;
    Brush brush;
    LogFont font;
    ColorRef textColor = kBlack;
    ColorRef bkColor = kWhite;
    BkMode bkMode = BkMode::Opaque;
    TextAlignFlags textAlign;
    MapMode mapMode = MapMode::Text;
};

// A drawing surface that draws nothing and keeps a list of the calls made on it, so that what a
// control draws or prints can be checked call by call. Text is measured by a simple model that
// tests may replace: every character is the font's average width wide, a line is its height high.
class RecordingSurface : public DrawingSurface {
public:
    using MetricsModel = std::function<TextMetrics(const LogFont&)>;

    explicit RecordingSurface(MapMode mode = MapMode::Text);

    const std::vector<SurfaceCall>& Calls() const { return m_calls; }
    std::vector<SurfaceCall> CallsNamed(const QString& op) const;
    bool HasCall(const QString& op) const { return !CallsNamed(op).empty(); }
    void ClearCalls() { m_calls.clear(); }

    void SetMetricsModel(MetricsModel model) { m_metrics = std::move(model); }
    // Height |h|, ascent 80 % of it, average width the record's width or half the height.
    static TextMetrics DefaultMetrics(const LogFont& font);
    void SetDeviceCaps(DeviceCap cap, int value) { m_caps[cap] = value; }

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
    MapMode GetMapMode() const override { return m_state.mapMode; }
    Point GetWindowOrg() const override { return m_windowOrg; }
    LogFont GetFont() const override { return m_state.font; }

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

    // One logical unit is one device pixel in every mapping mode; y flips where it grows upward.
    Point LPtoDP(Point p) const override;
    Point DPtoLP(Point p) const override;
    int GetDeviceCaps(DeviceCap cap) const override;

private:
    void Record(const QString& op, std::vector<int> args, const QString& text = QString());

    SurfaceCall m_state;
    Point m_windowOrg;
    Point m_viewportOrg;
    std::vector<SurfaceCall> m_calls;
    MetricsModel m_metrics = DefaultMetrics;
    std::map<DeviceCap, int> m_caps;
};

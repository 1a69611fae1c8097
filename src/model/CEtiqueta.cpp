#include "model/CEtiqueta.h"

#include "model/ControlType.h"
#include "model/TrueScale.h"
#include "platform/PainterSurface.h"
#include "platform/Saturate.h"

#include <QImage>
#include <QPainter>

CEtiqueta::CEtiqueta() : CControles(ControlTypeCode::Etiqueta) {
    alignment = static_cast<int>(TextAlign::Bottom);
}

std::unique_ptr<CEtiqueta> CEtiqueta::Create(int x, int y, const QString& text) {
    auto control = std::make_unique<CEtiqueta>();
    control->PlaceTextLine(x, y, text);
    return control;
}

void CEtiqueta::FitToText() {
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    PainterSurface dc(painter, TrueScale::Device());
    dc.SetMapMode(MapMode::LoMetric);
    dc.SelectFont(font);
    Rect measured = pageRect;
    dc.DrawText(text, measured, TextLayout::CalcRect);
    pageRect.right = measured.right;
    pageRect.bottom = measured.bottom;
}

ScreenRect CEtiqueta::UnplacedScreenRect() const {
    const ScreenRect s = PageOnScreen();
    return ScreenRect(s.left, s.top, s.right, SaturatedAdd(s.top, kUnplacedScreenHeight));
}

void CEtiqueta::Draw(DrawingSurface& dc) const {
    const Pen red{PenStyle::Solid, 1, kSelectionRed};
    Pen previousPen;
    if (selected)
        previousPen = dc.SelectPen(red);
    dc.SetTextColor(color);
    const LogFont previousFont = dc.SelectFont(font);
    const Rect r = DesignRect();
    if (selected)
        dc.Rectangle(r);
    dc.SetTextAlign(TextAlign::Bottom);
    dc.ExtTextOut(r.left, r.top, TextOutOption::Clipped, r, text);
    if (selected)
        dc.SelectPen(previousPen);
    dc.SelectFont(previousFont);
}

void CEtiqueta::DrawOnScreenLayout(DrawingSurface& dc, bool) const {
    if (selected) {
        const Pen previousPen = dc.SelectPen(Pen{PenStyle::Solid, 1, kSelectionRed});
        dc.Rectangle(screenRect);
        dc.SelectPen(previousPen);
    }
    LogFont captionFont = screenFont ? *screenFont : dc.GetFont();
    captionFont.weight = font.weight;
    const LogFont previousFont = dc.SelectFont(captionFont);
    dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
    dc.TextOut(screenRect.left, screenRect.top + 2, QStringLiteral("%1:").arg(text));
    dc.SelectFont(previousFont);
}

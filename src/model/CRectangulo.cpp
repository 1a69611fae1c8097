#include "model/CRectangulo.h"

#include "model/ControlType.h"

CRectangulo::CRectangulo() : CControles(ControlTypeCode::Rectangulo) {}

std::unique_ptr<CRectangulo> CRectangulo::Create(int x, int y) {
    auto control = std::make_unique<CRectangulo>();
    control->pageRect = PageRect(x, y, x + 600, y - 600);
    control->UpdateHandles();
    return control;
}

void CRectangulo::UpdateHandles() {
    SetHandles(DesignRect(), true, true);
}

void CRectangulo::DrawOutline(DrawingSurface& dc, const Rect& r) {
    dc.MoveTo(r.left, r.top);
    dc.LineTo(r.right, r.top);
    dc.LineTo(r.right, r.bottom);
    dc.LineTo(r.left, r.bottom);
    dc.LineTo(r.left, r.top);
}

void CRectangulo::Draw(DrawingSurface& dc) const {
    const Pen colourPen{PenStyle::Solid, 2, color};
    const Pen red{PenStyle::Solid, 1, kSelectionRed};
    const Rect r = DesignRect();
    Pen previousPen;
    if (selected) {
        previousPen = dc.SelectPen(red);
        DrawHandles(dc);
    } else {
        previousPen = dc.SelectPen(colourPen);
    }
    DrawOutline(dc, r);
    dc.SelectPen(previousPen);
}

void CRectangulo::Print(DrawingSurface& dc) const {
    const Pen previousPen = dc.SelectPen(Pen{PenStyle::Solid, 2, color});
    DrawOutline(dc, pageRect.Normalized());
    dc.SelectPen(previousPen);
}

#include "model/CLinea.h"

#include "model/ControlType.h"
#include "model/StoredFlag.h"
#include "platform/Archive.h"
#include "platform/Saturate.h"

#include <algorithm>
#include <cstdint>

CLinea::CLinea() : CControles(ControlTypeCode::Linea) {}

std::unique_ptr<CLinea> CLinea::Create(int x, int y) {
    auto control = std::make_unique<CLinea>();
    control->pageRect = PageRect(x, y + 20, x + 400, y - 20);
    control->UpdateHandles();
    return control;
}

void CLinea::WriteRecord(Archive& ar) const {
    WriteBase(ar);
    ar.WriteInt32(StoredFlag::Write(m_horizontal));
}

void CLinea::ReadRecord(Archive& ar) {
    ReadBase(ar);
    m_horizontal = StoredFlag::Read(ar.ReadInt32());
    UpdateHandles();
}

void CLinea::UpdateHandles() {
    SetHandles(DesignRect(), IsHorizontal(), !IsHorizontal());
}

void CLinea::MakeHorizontal() {
    if (IsHorizontal())
        return;
    const std::int64_t left = pageRect.left, top = pageRect.top;
    const std::int64_t right = pageRect.right, bottom = pageRect.bottom;
    const std::int64_t x0 = left + (right - left) / 2;
    pageRect = PageRect(Saturate(x0), Saturate(top + 20), Saturate(x0 + (top - bottom)),
                        Saturate(top - 20));
    m_horizontal = true;
    UpdateHandles();
}

void CLinea::MakeVertical() {
    if (!IsHorizontal())
        return;
    const std::int64_t left = pageRect.left, top = pageRect.top;
    const std::int64_t right = pageRect.right, bottom = pageRect.bottom;
    const std::int64_t y0 = top + (bottom - top) / 2;
    pageRect = PageRect(Saturate(left - 20), Saturate(y0), Saturate(left + 20),
                        Saturate(y0 + (left - right)));
    m_horizontal = false;
    UpdateHandles();
}

void CLinea::DrawSegment(DrawingSurface& dc, const Rect& r) const {
    if (IsHorizontal()) {
        const int midY = Midpoint(r.top, r.bottom);
        dc.MoveTo(r.left, midY);
        dc.LineTo(r.right, midY);
    } else {
        const int midX = Midpoint(r.left, r.right);
        dc.MoveTo(midX, r.top);
        dc.LineTo(midX, r.bottom);
    }
}

void CLinea::Draw(DrawingSurface& dc) const {
    const Pen colourPen{PenStyle::Solid, 2, color};
    const Pen red{PenStyle::Solid, 1, kSelectionRed};
    const Pen previousPen = dc.SelectPen(colourPen);
    const Rect r = DesignRect();
    if (selected) {
        dc.SelectPen(red);
        dc.Rectangle(r);
        DrawHandles(dc);
        dc.SelectPen(colourPen);
    }
    DrawSegment(dc, r);
    dc.SelectPen(previousPen);
}

void CLinea::Print(DrawingSurface& dc) const {
    const Pen previousPen = dc.SelectPen(Pen{PenStyle::Solid, 2, color});
    DrawSegment(dc, pageRect.Normalized());
    dc.SelectPen(previousPen);
}

void CLinea::DescribeOwnFields(ControlFields& fields) const {
    fields.emplace_back(QStringLiteral("horizontal"), StoredFlag::Write(m_horizontal));
}

#include "designer/CRulerCornerView.h"

#include "platform/DrawingSurface.h"
#include "platform/PainterSurface.h"

#include <QPainter>
#include <QPalette>

CRulerCornerView::CRulerCornerView(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
}

QSize CRulerCornerView::sizeHint() const {
    return QSize(16, 16);
}

void CRulerCornerView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PainterSurface dc(painter, PainterSurface::DescribeDevice(*this));
    Paint(dc);
}

void CRulerCornerView::Paint(DrawingSurface& dc) const {
    const LogFont oldFont =
        dc.SelectFont(LogFont::Make(10, 0, 400, QStringLiteral("Times New Roman")));
    const BkMode oldBkMode = dc.SetBkMode(BkMode::Transparent);
    const ColorRef oldTextColor =
        dc.SetTextColor(FromQColor(palette().color(QPalette::WindowText)));
    dc.TextOut(2, 2, QStringLiteral("CM"));
    dc.SetTextColor(oldTextColor);
    dc.SetBkMode(oldBkMode);
    dc.SelectFont(oldFont);
}

#include "grid/CGridPainter.h"

#include <QPainter>
#include <QPalette>
#include <QRect>

void CGridPainter::UseColors(const QPalette& palette) {
    face_ = palette.color(QPalette::Button);
    light_ = palette.color(QPalette::Light);
    shadow_ = palette.color(QPalette::Mid);
    darkShadow_ = palette.color(QPalette::Shadow);
    const QColor selection = palette.color(QPalette::Highlight);
    // Half way between the face and the selection colour: marked, yet the caption stays legible.
    highlight_ =
        QColor((face_.red() + selection.red()) / 2, (face_.green() + selection.green()) / 2,
               (face_.blue() + selection.blue()) / 2);
    gridLine_ = palette.color(QPalette::Mid);
}

void CGridPainter::DrawHeaderCell(QPainter& painter, const QRect& rect, Look look) const {
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.fillRect(rect, look == Look::Highlighted ? highlight_ : face_);
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.right();
    const int b = rect.bottom();
    const QColor upperLeft = look == Look::Pressed ? shadow_ : light_;
    const QColor lowerRight = look == Look::Pressed ? light_ : shadow_;
    painter.setPen(upperLeft);
    painter.drawLine(l, t, r, t);
    painter.drawLine(l, t, l, b);
    painter.setPen(lowerRight);
    painter.drawLine(l, b, r, b);
    painter.drawLine(r, t, r, b);
}

void CGridPainter::DrawFrame(QPainter& painter, const QRect& rect) const {
    painter.setPen(shadow_);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(light_);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.setPen(darkShadow_);
    painter.drawLine(rect.left() + 1, rect.top() + 1, rect.right() - 1, rect.top() + 1);
    painter.drawLine(rect.left() + 1, rect.top() + 1, rect.left() + 1, rect.bottom() - 1);
}

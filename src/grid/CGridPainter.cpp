#include "grid/CGridPainter.h"

#include "grid/GridGeometry.h"
#include "platform_widgets/WrongEntry.h"

#include <QPainter>
#include <QPalette>
#include <QRect>

#include <algorithm>

namespace {

constexpr int kCheckBox = 11;
const QColor kCheckRed(255, 0, 0);
// The tick, one byte per pixel row from the top; bit 0 is the rightmost pixel.
constexpr unsigned char kCheckPattern[7] = {0x01, 0x03, 0x47, 0x6E, 0x7C, 0x38, 0x10};

QFont GridFont(int weight) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

} // namespace

CGridPainter::CGridPainter() : m_normalFont(GridFont(400)), m_headerFont(GridFont(800)) {}

void CGridPainter::UseColors(const QPalette& palette) {
    m_face = palette.color(QPalette::Button);
    m_light = palette.color(QPalette::Light);
    m_shadow = palette.color(QPalette::Mid);
    m_darkShadow = palette.color(QPalette::Shadow);
    const QColor selection = palette.color(QPalette::Highlight);
    // Half way between the face and the selection colour: marked, yet the caption stays legible.
    m_highlight =
        QColor((m_face.red() + selection.red()) / 2, (m_face.green() + selection.green()) / 2,
               (m_face.blue() + selection.blue()) / 2);
    m_gridLine = palette.color(QPalette::Mid);
}

void CGridPainter::Paint(QPainter& painter, const GridGeometry& geometry,
                         const std::vector<GridColumn>& columns, const State& state,
                         const QPalette& palette, const CellTexts& texts) const {
    const QRect viewport(QPoint(0, 0), geometry.Viewport());
    painter.save();
    painter.setClipRect(viewport);
    DrawHeaderRow(painter, geometry, columns, state);
    DrawRowHeaders(painter, geometry, state, texts);
    DrawCells(painter, geometry, columns, state, palette, texts);
    painter.restore();
    if (m_frame)
        DrawFrame(painter, viewport);
}

void CGridPainter::DrawHeaderRow(QPainter& painter, const GridGeometry& geometry,
                                 const std::vector<GridColumn>& columns, const State& state) const {
    painter.setFont(m_headerFont);
    const int headerHeight = GridGeometry::kHeaderHeight;
    const int bottom =
        std::min(geometry.Viewport().height(), geometry.RowTop(geometry.LastShownRow() + 1));
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        if (!geometry.IsShown(c))
            continue;
        const QRect cell = geometry.CellRect(c, 0);
        Look look = Look::Raised;
        if (c == state.pressedHeader)
            look = Look::Pressed;
        else if (c != 0 && c == state.position.column)
            look = Look::Highlighted;
        DrawHeaderCell(painter, cell, look);
        if (c != 0) {
            painter.setPen(state.headerTextColor);
            painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, columns[c].caption);
        }
        const int right = geometry.RightEdge(c);
        painter.setPen(m_gridLine);
        painter.drawLine(right - 1, headerHeight, right - 1, bottom - 1);
    }
}

void CGridPainter::DrawRowHeaders(QPainter& painter, const GridGeometry& geometry,
                                  const State& state, const CellTexts& texts) const {
    painter.setFont(m_headerFont);
    const int width = geometry.RightEdge(0);
    const int lineRight = std::min(geometry.TotalWidth(), geometry.Viewport().width());
    for (int row = geometry.FirstRow(); row <= geometry.LastShownRow(); ++row) {
        const QRect cell(0, geometry.RowTop(row), width, GridGeometry::kRowHeight);
        const bool highlighted = state.position.InSelection(row) || row == state.position.row;
        DrawHeaderCell(painter, cell, highlighted ? Look::Highlighted : Look::Raised);
        painter.setPen(state.headerTextColor);
        if (state.ownerRowHeaders) {
            painter.drawText(cell.adjusted(5, 4, 0, 0),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, texts(row, 0));
        } else if (state.rowNumbers && (!state.noNewRow || row != geometry.RowLimit())) {
            painter.drawText(cell.adjusted(0, 0, -5, 0),
                             Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                             QString::asprintf("%d", row));
        }
        painter.setPen(m_gridLine);
        painter.drawLine(width, cell.bottom(), lineRight - 1, cell.bottom());
    }
}

void CGridPainter::DrawCells(QPainter& painter, const GridGeometry& geometry,
                             const std::vector<GridColumn>& columns, const State& state,
                             const QPalette& palette, const CellTexts& texts) const {
    painter.setFont(m_normalFont);
    const int count = static_cast<int>(columns.size());
    for (int row = geometry.FirstRow(); row <= geometry.LastShownRow(); ++row) {
        const bool selected = state.position.InSelection(row);
        const QColor back = palette.color(selected ? QPalette::Highlight : QPalette::Base);
        const QColor fore = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        for (int c = geometry.FirstColumn(); c < count; ++c) {
            const GridColumn& col = columns[c];
            const int right = geometry.RightEdge(c);
            if (right < 0)
                break;
            // Inside the grid lines drawn at the right and lower edges.
            const QRect cell(right - col.width, geometry.RowTop(row), col.width - 1,
                             GridGeometry::kRowHeight - 1);
            const bool marked = !selected && state.marked && state.marked(row, c);
            painter.fillRect(cell, marked ? WrongEntry::Background() : back);
            const QString text = texts(row, c);
            if (col.check) {
                DrawCheck(painter, cell, !text.isEmpty(), fore);
                continue;
            }
            if (text.isEmpty())
                continue;
            painter.setPen(fore);
            int flags = Qt::AlignVCenter | Qt::TextSingleLine;
            QRect area = cell;
            if (col.alignment == TextAlign::Right) {
                flags |= Qt::AlignRight;
                area.setRight(cell.left() + col.width - 1 - 4);
            } else if (col.alignment == TextAlign::Center) {
                flags |= Qt::AlignHCenter;
            } else {
                flags |= Qt::AlignLeft;
                area.setLeft(cell.left() + 4);
            }
            painter.drawText(area, flags, text);
        }
    }
    const GridPosition& current = state.position;
    const QRect span = current.column >= 1 && current.row >= 1
                           ? geometry.CellRect(current.column, current.row)
                           : QRect();
    if (!span.isNull()) {
        painter.setPen(palette.color(QPalette::Mid).darker(160));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(span.adjusted(0, 0, -1, -1));
        painter.drawRect(span.adjusted(-1, -1, 0, 0));
    }
}

void CGridPainter::DrawCheck(QPainter& painter, const QRect& cell, bool ticked,
                             const QColor& color) {
    const int left = cell.left() + (cell.width() + 1 - kCheckBox) / 2;
    const int top = cell.top() + (cell.height() + 1 - kCheckBox) / 2;
    painter.setPen(color);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(left, top, kCheckBox - 1, kCheckBox - 1);
    if (!ticked)
        return;
    painter.setPen(kCheckRed);
    const int right = left + kCheckBox;
    for (int line = 0; line < 7; ++line) {
        for (int bit = 0; bit < 8; ++bit) {
            if (kCheckPattern[line] & (1u << bit))
                painter.drawPoint(right - 3 - bit, top + 2 + line);
        }
    }
}

void CGridPainter::DrawHeaderCell(QPainter& painter, const QRect& rect, Look look) const {
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.fillRect(rect, look == Look::Highlighted ? m_highlight : m_face);
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.right();
    const int b = rect.bottom();
    const QColor upperLeft = look == Look::Pressed ? m_shadow : m_light;
    const QColor lowerRight = look == Look::Pressed ? m_light : m_shadow;
    painter.setPen(upperLeft);
    painter.drawLine(l, t, r, t);
    painter.drawLine(l, t, l, b);
    painter.setPen(lowerRight);
    painter.drawLine(l, b, r, b);
    painter.drawLine(r, t, r, b);
}

void CGridPainter::DrawFrame(QPainter& painter, const QRect& rect) const {
    painter.setPen(m_shadow);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(m_light);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.setPen(m_darkShadow);
    painter.drawLine(rect.left() + 1, rect.top() + 1, rect.right() - 1, rect.top() + 1);
    painter.drawLine(rect.left() + 1, rect.top() + 1, rect.left() + 1, rect.bottom() - 1);
}

#pragma once

#include "grid/GridColumn.h"
#include "grid/GridPosition.h"

#include <QColor>
#include <QFont>

#include <functional>
#include <vector>

class GridGeometry;
class QPainter;
class QPalette;
class QRect;

// The look of the grid and its drawing: the two fonts, the three-dimensional header cells and the
// frame in the system's button colours, the cells with their texts and check boxes, and the frame
// of the current cell. It draws what it is given; the texts come from the grid's owner.
class CGridPainter {
public:
    enum class Look { Raised, Pressed, Highlighted };

    // The text of a cell of a data row or of the new row; column 0 asks for the owner's text of
    // the row header.
    using CellTexts = std::function<QString(int row, int column)>;
    // Whether a data-row cell is drawn with the mark of a wrong entry.
    using CellMarks = std::function<bool(int row, int column)>;

    // What the grid shows besides its geometry and columns.
    struct State {
        GridPosition position;
        int pressedHeader = -1; // the column whose header is drawn pressed; -1 for none
        QColor headerTextColor;
        bool rowNumbers = false;      // row headers show the row numbers
        bool ownerRowHeaders = false; // row headers show the owner's texts
        bool noNewRow = false;        // the new row gets no number
        CellMarks marked;             // none: no cell is marked
    };

    CGridPainter();

    // Takes the button colours from palette.
    void UseColors(const QPalette& palette);

    void SetFrame(bool frame) { m_frame = frame; }
    bool Frame() const { return m_frame; }

    // Arial of 14 pixels, normal for the cells and their editors, heavy for the headers.
    const QFont& NormalFont() const { return m_normalFont; }
    const QFont& HeaderFont() const { return m_headerFont; }

    // The grid inside the geometry's viewport: header row, row headers, cells and the current
    // cell's frame, then the frame around the viewport when it is on. Nothing outside the
    // viewport is touched. Cells take their colours from palette.
    void Paint(QPainter& painter, const GridGeometry& geometry,
               const std::vector<GridColumn>& columns, const State& state, const QPalette& palette,
               const CellTexts& texts) const;

    // A header cell covering rect: face, light upper-left and dark lower-right edges (the other
    // way round when pressed); a highlighted cell is tinted with the selection colour.
    void DrawHeaderCell(QPainter& painter, const QRect& rect, Look look) const;
    // A sunken frame along the inside of rect.
    void DrawFrame(QPainter& painter, const QRect& rect) const;

    QColor Face() const { return m_face; }
    QColor GridLine() const { return m_gridLine; }

private:
    void DrawHeaderRow(QPainter& painter, const GridGeometry& geometry,
                       const std::vector<GridColumn>& columns, const State& state) const;
    void DrawRowHeaders(QPainter& painter, const GridGeometry& geometry, const State& state,
                        const CellTexts& texts) const;
    void DrawCells(QPainter& painter, const GridGeometry& geometry,
                   const std::vector<GridColumn>& columns, const State& state,
                   const QPalette& palette, const CellTexts& texts) const;
    static void DrawCheck(QPainter& painter, const QRect& cell, bool ticked, const QColor& color);

    bool m_frame = false;
    QFont m_normalFont;
    QFont m_headerFont;
    QColor m_face{212, 208, 200};
    QColor m_light{255, 255, 255};
    QColor m_shadow{128, 128, 128};
    QColor m_darkShadow{64, 64, 64};
    QColor m_highlight{182, 202, 234};
    QColor m_gridLine{192, 192, 192};
};

#pragma once

#include "platform/ColorRef.h"

#include <QWidget>

class DrawingSurface;

// A ruler of the design window: the one above the page measures x, the one to its left y. Both
// are marked in centimetres and millimetres at the design view's scale, follow its scrolling and
// show a marker at the pointer's (or the dragged edge's) place.
//
// The ruler draws in hundredths of a millimetre, y upward, from the pane's top-left corner. The
// page's origin lies 5 mm into the ruler, where the design view draws it.
class CRules : public QWidget {
    Q_OBJECT

public:
    // The notifications of the design window and its view, as Update takes them: the scroll
    // position along x (1) and y (2) in the view's logical units (0.1 mm, y upward, so 0 or less
    // along y), and the pointer's or dragged edge's x (3) and y (4) in format coordinates.
    enum class Hint : int {
        HorizontalScroll = 1,
        VerticalScroll = 2,
        PointerX = 3,
        PointerY = 4,
    };

    // Where a ruler keeps no marker.
    static constexpr int kNoMarker = -1000000000;
    // How far the page's origin lies from the ruler's, in ruler units (0.01 mm).
    static constexpr int kPageOffset = 500;

    explicit CRules(Qt::Orientation orientation, QWidget* parent = nullptr);

    Qt::Orientation Orientation() const { return m_orientation; }
    bool IsHorizontal() const { return m_orientation == Qt::Horizontal; }

    // The length of the rulers (page units) and the design view's zoom as a factor of true size
    // (2 at 200 %); the ruler repaints and loses its marker.
    void SetExtent(int x, int y);
    void SetScale(double scale);
    int ExtentX() const { return m_extentX; }
    int ExtentY() const { return m_extentY; }
    double Scale() const { return m_scale; }

    // The view's scroll position along this ruler's axis, in ruler units of the page (0.01 mm
    // at true size).
    int ScrollOffset() const { return m_scrollOffset; }
    bool IsMarkerShown() const { return !m_markerHidden; }
    // Along the axis in ruler units, before the scroll offset; kNoMarker while none is shown.
    int MarkerPosition() const { return m_markerPosition; }

    // Draws the whole ruler, marker included, for a pane of that size in pixels.
    void Paint(DrawingSurface& dc, QSize pane) const;

    QSize sizeHint() const override;

public slots:
    // A notification of the design window or its view (see Hint). Each ruler ignores the
    // other's axis; any other hint repaints the ruler.
    void Update(int hint, int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Repaint();
    void MoveMarker(int value);
    // Where a place along the axis (ruler units of the page, scroll offset applied) is drawn.
    int Drawn(double along) const;
    ColorRef WindowColor() const;
    ColorRef WindowTextColor() const;
    ColorRef MarkerColor() const;
    void PaintHorizontal(DrawingSurface& dc, QSize pane) const;
    void PaintVertical(DrawingSurface& dc, QSize pane) const;

    Qt::Orientation m_orientation;
    int m_extentX = 4000;
    int m_extentY = 4000;
    double m_scale = 1.0;
    int m_scrollOffset = 0;
    bool m_markerHidden = true;
    int m_markerPosition = kNoMarker;
};

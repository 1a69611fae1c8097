#pragma once

#include "commands/DesignerPictures.h"
#include "model/Handle.h"
#include "platform/DrawingSurface.h"
#include "platform/LogFont.h"
#include "platform/Point.h"

#include <QAbstractScrollArea>
#include <QPoint>
#include <QSize>

class ScreenDocument;

// The capture screen as the capture window will lay it out, on a form of up to 3000 x 3000
// pixels in the colour of buttons, scrolled as far as its fields and labels reach: every capture
// field drawn as its box with its caption beside or above it, every label as its text, the selected
// one with its handles, and in order mode the capture order on a red tag at each field. The mouse
// picks, drags and resizes fields on the 4-pixel grid; the arrow keys move the selected one a grid
// step.
//
// The view changes the format only through its document, so that every edit is a step of the
// document's undo stack and a whole drag is one step.
class CFmtpantallaView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kSide = 3000;
    static constexpr int kArrowCursor = DesignerPictures::kArrowCursor;
    static constexpr int kSizeWidthCursor = DesignerPictures::kSizeWidthCursor;
    static constexpr int kSizeHeightCursor = DesignerPictures::kSizeHeightCursor;

    explicit CFmtpantallaView(ScreenDocument& document, QWidget* parent = nullptr);
    ~CFmtpantallaView() override;

    ScreenDocument& Document() const { return m_document; }

    // The part of the screen the fields and labels cover, from its corner, with a margin: what
    // the window shows when it opens.
    QSize ArrangementSize() const;

    // The screen point under a pixel of the viewport: the pixel plus the scroll position, over
    // the zoom.
    Point ToScreen(QPoint pixel) const;

    // The zoom in percent: at 200 % a pixel of the screen layout shows as two. A new zoom keeps
    // the point under pixel where it was (under the view's centre without one); it is clamped to
    // the zoom's limits.
    int Zoom() const { return m_zoom; }
    void SetZoom(int percent);
    void ZoomAbout(int percent, QPoint pixel);
    // "Página completa": the largest zoom that shows the whole arrangement, from its corner.
    void FitArrangement();
    // The cursor shown, by its picture number, and the handle the pointer armed.
    int CursorId() const { return m_cursorId; }
    Handle ArmedHandle() const { return m_armed; }

    // Draws the part of the screen of size visible whose top-left corner is origin, onto a
    // surface whose (0, 0) is the viewport's corner.
    void Paint(DrawingSurface& dc, Point origin, QSize visible) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

signals:
    // After every change of the zoom, in percent.
    void zoomChanged(int percent);

private:
    void UpdateScrollBars();
    void SetViewCursor(int id);
    void Hover(Point p);
    double Factor() const { return m_zoom / 100.0; }

    ScreenDocument& m_document;
    LogFont m_screenFont;
    Handle m_armed = Handle::None;
    int m_cursorId = kArrowCursor;
    int m_zoom = 100;
    // Wheel turns with Ctrl held, not yet a whole notch.
    int m_zoomWheel = 0;
};

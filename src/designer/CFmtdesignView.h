#pragma once

#include "commands/DesignerPictures.h"
#include "model/ControlType.h"
#include "model/Handle.h"
#include "platform/Point.h"
#include "platform/Rect.h"

#include <QAbstractScrollArea>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>

class CControles;
class DesignClipboard;
class DesignDocument;
class PageTextEditor;
class QKeyEvent;
class QMenu;
class QPainter;
class ReferenceBackdrop;
class WindowCommands;

// The design surface of a format: a sheet 410 mm square at true size, the page drawn 5 mm right
// of and below its corner, every control in list order on white paper, the selected ones with
// their handles, and on request the snap grid under them. The pointer becomes a point of the format
// (page units, y upward), snapped to the document's step, and the mouse and the keys become
// selections, insertions, moves and resizes of the document's controls and of a table's columns and
// rows.
//
// The view changes the format only through its document, so that every edit is a step of the
// document's undo stack and a whole drag one step. What the view cannot do itself (show the
// properties window, the font and colour dialogs) it asks of the design window by a signal.
class CFmtdesignView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The surface's side, in page units.
    static constexpr int kSurfaceSide = 4100;
    // The page's corner on the surface.
    static constexpr int kPageOffsetX = 50;
    static constexpr int kPageOffsetY = -50;
    // What rulerHint carries, all in page units: the scroll position along x (positive) and along
    // y (the surface's y, so zero or negative), and the pointer's or a dragged edge's x and y.
    static constexpr int kHintScrollX = 1;
    static constexpr int kHintScrollY = 2;
    static constexpr int kHintPointerX = 3;
    static constexpr int kHintPointerY = 4;
    // One notch of the wheel moves the vertical bar by half its delta of 120.
    static constexpr int kWheelDivisor = 2;
    // The cursors the view shows, by the designer's picture numbers.
    static constexpr int kCrossHairCursor = DesignerPictures::kCrossHairCursor;
    static constexpr int kArrowCursor = DesignerPictures::kArrowCursor;
    static constexpr int kSizeWidthCursor = DesignerPictures::kSizeWidthCursor;
    static constexpr int kSizeHeightCursor = DesignerPictures::kSizeHeightCursor;
    static constexpr int kSelectColumnCursor = DesignerPictures::kSelectColumnCursor;
    static constexpr int kSelectRowCursor = DesignerPictures::kSelectRowCursor;

    // Asks the user for a picture file; an empty path when the user cancels.
    using ImageChooser = std::function<QString(QWidget* parent)>;
    // Tells the user of a failure.
    using MessageReporter = std::function<void(const QString& message)>;

    explicit CFmtdesignView(DesignDocument& document, QWidget* parent = nullptr);
    ~CFmtdesignView() override;

    DesignDocument& Document() const { return m_document; }

    // Pixels per page unit as shown, the zoom included; SetScale sets them at true size (the
    // screen's logical resolution unless told otherwise).
    double Scale() const { return m_scale; }
    void SetScale(double pixelsPerUnit);

    // The zoom in percent of true size. A new zoom keeps the sheet's point under pixel where it
    // was (under the view's centre without one); it is clamped to the zoom's limits.
    int Zoom() const { return m_zoom; }
    void SetZoom(int percent);
    void ZoomAbout(int percent, QPoint pixel);
    // "Página completa": the largest zoom that shows the whole page, from its corner.
    void FitPage();
    // The page as far as it is shown whole, in page units: a letter sheet, or further where the
    // controls reach beyond one.
    QSize PageExtent() const;

    // The format point under a pixel of the viewport, before snapping, and the pixel that shows a
    // format point.
    Point ToFormat(QPoint pixel) const;
    QPoint ToPixel(Point format) const;

    // The viewport's pixels a control's drawing may cover: what a drag of it redraws.
    QRect Reach(const CControles& control) const;

    // The tools, with the cursor each shows.
    void ArmInsertion(ControlTypeCode type);
    void ArmSelection();

    // The cursor the view shows, by its picture number, and the handle or table parts the
    // pointer last armed.
    int CursorId() const { return m_cursorId; }
    Handle ArmedHandle() const { return m_armedHandle; }
    bool DividerArmed() const { return m_dividerDrag; }
    bool HeaderArmed() const { return m_headerSelect; }

    // The picture files' dialog and the failure messages; tests answer them.
    void SetImageChooser(ImageChooser chooser) { m_chooseImage = std::move(chooser); }
    void SetMessageReporter(MessageReporter reporter) { m_report = std::move(reporter); }

    // The scan of the stationery drawn over the white paper and under the controls; nullptr for
    // none. The window owns it.
    void SetBackdrop(const ReferenceBackdrop* backdrop);
    const ReferenceBackdrop* Backdrop() const { return m_backdrop; }

    // "Cuadrícula": the snap grid drawn over the paper and under the controls, at the snap step
    // (1 cm while snapping is off).
    bool GridShown() const { return m_gridShown; }
    void SetGridShown(bool shown);
    // The rubber band being drawn, in page units; nothing while none is.
    std::optional<Rect> RubberBand() const;

    // A double click on a text, a paragraph, a label or a field's name types over it on the page.
    PageTextEditor& TextEditor() const { return *m_textEditor; }

    // The clipboard commands the context menu offers; nullptr for none. The window owns it.
    void SetClipboard(DesignClipboard* clipboard) { m_clipboard = clipboard; }

    // Back to the surface's corner, as when the design window is maximized.
    void ScrollToOrigin();

    // The context menu for the selection as it stands, its actions carrying their command
    // numbers as data. The caller owns it.
    QMenu* MakeContextMenu(QWidget* parent);

    // The picture dialog of the insertion tool for images.
    static QString AskForImage(QWidget* parent);
    // The arrange commands of a selection of two or more (align, distribute, same size, centre
    // on the page), distributing greyed for fewer than three.
    void AddArrangeCommands(QMenu& menu, WindowCommands& commands);
    // "Cortar", "Copiar", "Pegar" and "Duplicar"; this menu's "Pegar" puts the controls' upper
    // left corner at the point the menu was asked for, snapped.
    void AddClipboardCommands(QMenu& menu, WindowCommands& commands);

signals:
    void rulerHint(int hint, int value);
    // After every change of the zoom, in percent.
    void zoomChanged(int percent);
    // Where the pointer, the control or the dragged edge is, in centimetres.
    void positionText(const QString& text);
    void propertiesRequested();
    void fontRequested();
    void colorRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Where a control's edges are reported: its left and right x, the y it stands on (the lower
    // edge of a one-line text, the upper edge otherwise) and the other y. A line reports its ends.
    struct Edges {
        int leftX = 0;
        int rightX = 0;
        int referenceY = 0;
        int oppositeY = 0;
    };
    static Edges EdgesOf(const CControles& control);

    void UpdateScrollBars();
    // Draws the backdrop through the same page-to-pixel mapping as the controls.
    void PaintBackdrop(QPainter& painter) const;
    // The edge of the format's paper, and a faint line where most printers stop inking.
    void PaintPaperEdge(QPainter& painter) const;
    void SetViewCursor(int id);
    void LeftPress(Point p, Qt::KeyboardModifiers modifiers);
    // Shift+click and Ctrl+click: a control joins or leaves the selection; on empty paper a
    // rubber band starts that adds to it.
    void AddingPress(Point p, bool free);
    // free: the drag follows the pointer unsnapped (Alt held).
    void StartDrag(Point p, bool free);
    void Drag(Point p, Qt::KeyboardModifiers modifiers);
    // The pixels covered by the selected controls.
    QRect SelectionReach() const;
    // The band's pixels, its border included.
    QRect BandPixels() const;
    void PaintGrid(QPainter& painter, const QRect& dirty) const;
    void PaintRubberBand(QPainter& painter) const;
    void DragBy(int dx, int dy);
    void Hover(Point p, QPoint pixel);
    // The handle of the selected control under the pointer. Handles drawn smaller than a grip
    // still catch the pointer within a grip of their centre.
    Handle HandleUnder(const CControles& control, Point p, QPoint pixel) const;
    bool ZoomKey(const QKeyEvent& event);
    void LeftRelease(Point p);
    // How far from a rectangle's or a line's stroke a click still picks it, in page units: the
    // same pixels at every zoom.
    int StrokeReach() const;
    void InsertAt(Point p);
    // A click on a header zone of the selected table: the column or row picked, or dropped when
    // it was the picked one. False when the point lies on no header.
    bool PickHeader(Point p);
    void RightPress(Point p, QPoint globalPixel);
    bool KeyMove(int key);
    void ClearTableArming();
    void ShowPosition(int x, int y);
    void ShowSelectedPosition();
    void ShowHandleEdge();
    void ShowDivider();
    void TellScrollPositions();

    DesignDocument& m_document;
    double m_trueScale = 1.0;
    double m_scale = 1.0;
    int m_zoom = 100;
    // Wheel turns with Ctrl held, not yet a whole notch.
    int m_zoomWheel = 0;
    bool m_buttonDown = false;
    bool m_dragging = false;
    Point m_lastPoint;
    Handle m_armedHandle = Handle::None;
    bool m_dividerDrag = false;
    int m_dividerColumn = -1;
    int m_dividerRow = -1;
    bool m_headerSelect = false;
    int m_cursorId = kArrowCursor;
    ImageChooser m_chooseImage;
    MessageReporter m_report;
    const ReferenceBackdrop* m_backdrop = nullptr;
    bool m_gridShown = false;
    // A rubber band in progress: where it started and where the pointer is, unsnapped; whether
    // what it encloses joins the selection (Shift or Ctrl held at the press).
    bool m_band = false;
    bool m_bandAdds = false;
    Point m_bandStart;
    Point m_bandEnd;
    // An Alt+click on a selected control: where it was, and whether the release, unless the
    // pointer moved, picks the next control down.
    bool m_cycleOnRelease = false;
    Point m_cyclePoint;
    PageTextEditor* m_textEditor = nullptr;
    DesignClipboard* m_clipboard = nullptr;
    // Where the context menu was last asked for, unsnapped.
    Point m_menuPoint;
};

#pragma once

#include "model/CControles.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

// What the controls that receive a value share: the entry widget they make on the capture
// screen and own, the handles that lie on the page or on the screen, and the drawing of a
// one-line field on the design view and the capture-screen designer.
//
// Each control keeps its captured value itself and prints, saves and loads it whether or not a
// capture screen exists. While an entry widget exists it is bound to the value both ways: it
// shows the value when it is made and whenever the value is set, and every edit in it changes
// the value at once. A widget may refuse part of a value (a length limit, capitals only); the
// value is then what the widget took, as the user sees it.
class CCaptureControl : public CControles {
public:
    static constexpr int kScreenHandleHalf = 4;      // handles are 8 x 8 pixels on the screen
    static constexpr int kUnplacedScreenHeight = 20; // a one-line field not yet placed there

    ~CCaptureControl() override;

    // The control's widget on the capture screen, or nullptr before it is made (or after the
    // capture screen that held it has gone).
    QWidget* EntryWidget() const { return m_widget.data(); }

    // Until it is placed on the capture screen a one-line field lies where its page rectangle
    // does, as wide, kUnplacedScreenHeight pixels high.
    ScreenRect UnplacedScreenRect() const override;

    // The widget rectangle of a screen rectangle.
    static QRect ScreenGeometry(const Rect& screen);
    // The font the capture screen and its designer draw captions and labels in: Arial, 14
    // pixels from the top of its tallest letters to the bottom of its lowest, weight 400.
    static LogFont ScreenFont();

protected:
    explicit CCaptureControl(ControlTypeCode type);

    // Takes ownership of a newly made widget placed at the screen rectangle, shows it, and keeps
    // its identifier in the property "captureId".
    void AdoptWidget(QWidget* widget, int identifier);
    // Keeps the connection that carries the widget's edits into the value, so that it can be cut
    // before the widget outlives the value it writes to.
    void BindValue(const QMetaObject::Connection& connection) { m_valueBinding = connection; }

    // The control's name as the design view shows it: in capitals when the field takes capitals.
    QString DisplayName() const;

    // Handles on the left and right edges, and with heightHandles also on the lower and upper
    // ones: 20 x 20 units on the design view, or 8 x 8 pixels on the screen rectangle while the
    // screen-handles flag is set.
    void SetCaptureHandles(bool heightHandles);

    // A one-line field on the design view: the frame, the handles when selected and the name on
    // the lower edge.
    void DrawNameLine(DrawingSurface& dc) const;
    // On the capture-screen designer: the screen rectangle, the handles when selected, then the
    // caption and capture order in the screen font.
    void DrawScreenField(DrawingSurface& dc, bool showOrder) const;
    // Prints one line of text on the page rectangle's lower edge, aligned like the control.
    void PrintLine(DrawingSurface& dc, const QString& line) const;
    // Whether a text value goes to the page: an empty field has nothing to print, but while the
    // entry widget exists the page gets what it shows, even nothing.
    bool PrintsText(const QString& value) const { return !value.isEmpty() || m_widget; }

    // Selects the red selection pen when the control is selected; returns what to restore.
    Pen SelectSelectionPen(DrawingSurface& dc) const;
    void RestorePen(DrawingSurface& dc, const Pen& previous) const;

    // The horizontal part of the alignment, as the line drawing uses it with bottom alignment.
    TextAlignFlags LineAlign() const;

    QPointer<QWidget> m_widget;

private:
    QMetaObject::Connection m_valueBinding;
};

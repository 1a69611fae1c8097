#pragma once

#include "model/CControles.h"

// What the controls that receive a value share: the value kept in the control itself, the
// handles that lie on the page or on the screen, and the drawing of a one-line field on the
// design view and the capture-screen designer.
//
// Each control keeps its captured value and prints, saves and loads it; the format's capture
// document sets and reads it, and the capture screen's entry widgets only show it. Once the
// capture of a format has started, a control takes values as its entry widget takes them (a
// length limit, capitals only), so that a value set by a script or loaded from a file is what
// the user would see in the box.
class CCaptureControl : public CControles {
public:
    static constexpr int kScreenHandleHalf = 4;      // handles are 8 x 8 pixels on the screen
    static constexpr int kUnplacedScreenHeight = 20; // a one-line field not yet placed there

    // Until it is placed on the capture screen a one-line field lies where its page rectangle
    // does, as wide, kUnplacedScreenHeight pixels high.
    ScreenRect UnplacedScreenRect() const override;

    // The font the capture screen and its designer draw captions and labels in: Arial, 14
    // pixels from the top of its tallest letters to the bottom of its lowest, weight 400.
    static LogFont ScreenFont();

    // The format is being filled in: from now on the value follows the rules of the control's
    // entry, and what the control holds goes onto paper even when it is empty.
    virtual void StartCapture() { m_capturing = true; }
    bool IsCapturing() const { return m_capturing; }

protected:
    explicit CCaptureControl(ControlTypeCode type);

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
    // format is being filled in the page gets what the field shows, even nothing.
    bool PrintsText(const QString& value) const { return !value.isEmpty() || m_capturing; }

    // Selects the red selection pen when the control is selected; returns what to restore.
    Pen SelectSelectionPen(DrawingSurface& dc) const;
    void RestorePen(DrawingSurface& dc, const Pen& previous) const;

    // The horizontal part of the alignment, as the line drawing uses it with bottom alignment.
    TextAlignFlags LineAlign() const;

private:
    bool m_capturing = false;
};

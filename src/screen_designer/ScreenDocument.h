#pragma once

#include "model/Format.h"
#include "model/FormatSettings.h"
#include "model/Handle.h"
#include "platform/Point.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <vector>

class CControles;

// The format a capture-screen design window arranges, without the window: where each capture
// control and label lies on the data-entry screen, whether its caption stands to its left or
// above it, and the order in which the fields are visited. The page layout is never changed
// here.
//
// Controls are addressed by their index in the list (0 is drawn first, the last one on top).
// Every change of the format is one step of the undo stack; selecting and entering or leaving
// order mode are not. The stack's clean state is the saved state; opening a format empties it.
class ScreenDocument : public QObject {
    Q_OBJECT

public:
    // Positions on the screen snap to this many pixels.
    static constexpr int kGrid = 4;

    explicit ScreenDocument(QObject* parent = nullptr);
    ~ScreenDocument() override;
    ScreenDocument(const ScreenDocument&) = delete;
    ScreenDocument& operator=(const ScreenDocument&) = delete;

    // ---- The format ------------------------------------------------------------------------

    const Format& GetFormat() const { return m_format; }
    const ControlList& Controls() const { return m_format.controls; }
    CControles* ControlAt(int index) const;
    int IndexOf(const CControles* control) const;
    // The settings the format was read with; written back unchanged.
    const FormatSettings& Settings() const { return m_settings; }
    const QString& Description() const { return m_format.description; }
    // Whether a control can be picked on the screen: capture controls and labels, never a
    // constant text, paragraph, line, rectangle or image.
    static bool IsArrangeable(const CControles& control);

    // ---- The file ---------------------------------------------------------------------------

    const QString& Path() const { return m_path; }
    // Reads the file, replacing what the document held: every capture control and label is
    // placed on the screen where it lies (one never placed, where its page rectangle gives), and
    // the fields that can be resized on the screen get their handles in screen pixels. A file
    // that cannot be read throws the reader's PlenovaError and leaves the document as it was.
    // Returns the reader's warnings, with what could not be used of Plenova's own settings
    // beside the format.
    QStringList Open(const QString& path);
    // A format brought back after Plenova died with its screen rearranged and unsaved: the bytes
    // as Bytes() gave them, for the format at path. They are held as unsaved changes; the file
    // on disk stays as it is until a save. Damaged bytes throw the reader's error and leave the
    // document as it was.
    QStringList Recover(const QString& path, const QByteArray& formatBytes);
    // Writes the format back to its path through a safe write, changing nothing of it: the
    // fields placed, the capture order as it is, the screen extent worked out. A failed write
    // throws; the file on disk is then the one before.
    QStringList Save();
    // Writes the format as Save does under another name, which becomes the document's path; the
    // settings kept beside the format go along with it.
    QStringList SaveAs(const QString& path);
    // The format as Save writes it.
    QByteArray Bytes() const;

    QUndoStack& UndoStack() { return m_undo; }
    bool IsModified() const { return !m_undo.isClean(); }

    // ---- Selection (never a step) -------------------------------------------------------------

    CControles* Selected() const;
    int SelectedIndex() const { return m_selected; }
    // -1, an index outside the list or a control that cannot be picked selects nothing.
    void Select(int index);
    // The arrangeable control under the pixel, the one drawn on top first; -1 when none.
    int IndexAt(Point p) const;
    // The handle of the selected control under the pixel.
    Handle HandleAt(Point p) const;

    // ---- Order mode -------------------------------------------------------------------------

    bool IsOrderMode() const { return m_orderMode; }
    // "Orden de captura": turns order mode on or off; on, numbering starts again at 1.
    void ToggleOrderMode();
    int NextOrderNumber() const { return m_nextOrder; }

    // ---- The mouse ----------------------------------------------------------------------------

    // Each coordinate truncated towards zero to the grid.
    static Point Snap(Point p);
    // A press at a pixel. With a handle armed on the selected control a resize starts. Otherwise
    // the control under the pixel is picked: in order mode it gets the next capture order (one
    // step), elsewhere it is selected and a move starts; a press on no control clears the
    // selection and ends order mode. Returns whether a control was found.
    bool Press(Point p, Handle armed = Handle::None);
    // The pointer moved while the button is held: the selected control follows it on the grid.
    void DragTo(Point p);
    // The button released: the moves or resizes since the press become one step.
    void Release();
    bool IsDragging() const { return m_dragging; }

    // ---- Changes (each one step) --------------------------------------------------------------

    // Refused (no step) where the left or top edge would leave the screen.
    void MoveSelected(int dx, int dy);
    // Refused (no step) where a side would come to 40 pixels or less.
    void ResizeSelected(Handle handle, int dx, int dy);
    // "A un lado" (true) and "Arriba" (false).
    void SetCaptionLeft(bool left);

signals:
    void changed();
    void selectionChanged();
    void orderModeChanged();
    void pathChanged();

private:
    struct Place;
    struct Drag;

    // Makes a format just read the document's, with an empty, clean stack.
    void Take(Format loaded, const FormatSettings& settings, const QString& path);

    // Runs change, which touches only the controls at indexes, and makes it one step named text
    // when it changed any of them.
    void ChangeControls(const QString& text, const std::vector<int>& indexes,
                        const std::function<void()>& change);
    void ChangeSelected(const QString& text, const std::function<void(CControles&)>& change);
    // Numbers the control at index as the next one visited.
    void Number(int index);
    void FinishDrag();
    void SetOrderMode(bool on);
    void Changed(int select);
    void MarkSelection();

    Format m_format;
    FormatSettings m_settings;
    QString m_path;
    QUndoStack m_undo;
    int m_selected = -1;
    bool m_orderMode = false;
    int m_nextOrder = 1;
    bool m_dragging = false;
    Handle m_armed = Handle::None;
    Point m_lastPoint{};
    std::unique_ptr<Drag> m_drag;
};

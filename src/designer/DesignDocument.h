#pragma once

#include "capture_model/DataType.h"
#include "model/CControles.h"
#include "model/ControlType.h"
#include "model/Format.h"
#include "model/FormatSettings.h"
#include "model/Handle.h"
#include "model/PlenovaSettings.h"
#include "platform/ColorRef.h"
#include "platform/LogFont.h"
#include "platform/Point.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <vector>

// The format a design window lays out, without the window: its control list, description and
// settings, the selected controls, the tool in hand and the snap step, the file it came from,
// and every change a user makes as one step of an undo stack.
//
// Controls are addressed by their index in the list (0 is the lowest layer, drawn first), so an
// undone step that puts a control back puts it where it was. The selection is not a change of
// the format: selecting never adds a step, and undoing a step selects the controls it touched.
//
// The selection is kept in the order the user picked its controls: the first picked is the one
// the properties window shows, the one resized by its handles and the one the arrange commands
// line the others up with. Moves, deletion, fonts, colours and layers act on every selected
// control at once, each as one step.
//
// The stack's clean state is the saved state: a document whose stack is clean has nothing to
// lose. Opening a format empties the stack.
class DesignDocument : public QObject {
    Q_OBJECT

public:
    enum class Tool { Selection, Insertion };
    enum class Alignment { Left, Centre, Right };

    explicit DesignDocument(QObject* parent = nullptr);
    ~DesignDocument() override;
    DesignDocument(const DesignDocument&) = delete;
    DesignDocument& operator=(const DesignDocument&) = delete;

    // ---- The format ------------------------------------------------------------------------

    Format& GetFormat() { return m_format; }
    const Format& GetFormat() const { return m_format; }
    ControlList& Controls() { return m_format.controls; }
    const ControlList& Controls() const { return m_format.controls; }
    bool IsEmpty() const { return m_format.controls.empty(); }
    CControles* ControlAt(int index) const;
    int IndexOf(const CControles* control) const;

    // The settings the format was read with and is saved with: each window its own.
    FormatSettings& Settings() { return m_settings; }
    const FormatSettings& Settings() const { return m_settings; }
    // "Configuración": the settings replaced at once, one step of the stack; settings equal to
    // the present ones add none.
    void SetSettings(const FormatSettings& settings);
    // The settings and the wording of the amounts in words together, as the dialog edits them:
    // one step for both.
    void SetSettings(const FormatSettings& settings, AmountWording wording);

    // Plenova's own settings of the format, kept beside it: read with the format and written
    // with it.
    const PlenovaSettings& Plenova() const { return m_plenova; }
    // "Papel...": one step of the stack; an equal paper adds none.
    void SetPaper(const Paper& paper);
    // The reference backdrop's record: not a step, since the backdrop is kept beside the format
    // as soon as it changes and never undone.
    void SetBackdropRecord(const QJsonObject& record) { m_plenova.SetBackdropRecord(record); }

    const QString& Description() const { return m_format.description; }
    // One step of the stack, as every other change a user makes.
    void SetDescription(const QString& description);

    // ---- The file ---------------------------------------------------------------------------

    // The full path of the .fmt file; empty for a format never saved.
    const QString& Path() const { return m_path; }
    // Reads the file into this document, replacing what it held, and returns the reader's
    // warnings, with what could not be used of Plenova's own settings beside it. A file that
    // cannot be read throws the reader's PlenovaError and leaves the document exactly as it was.
    // The stack is emptied and clean afterwards.
    QStringList Open(const QString& path);
    // A format brought back after Plenova died with it unsaved: the bytes as Bytes() gave them
    // and Plenova's own settings as their JSON, for the format at path (empty for one never
    // saved). The document holds them as unsaved changes: the file on disk stays as it is until
    // a save. Damaged bytes throw the reader's error and leave the document as it was.
    QStringList Recover(const QString& path, const QByteArray& formatBytes,
                        const QByteArray& ownSettings);
    // "Nuevo desde plantilla": reads the file as Open does but keeps no path, so the document is
    // a new format that a save asks a name for, and the template is never written. What the
    // template kept of its reference backdrop stays behind with it.
    QStringList OpenCopy(const QString& path);
    // Writes the format to path through a safe write, then Plenova's own settings beside it, and
    // on success makes path the document's path and the stack clean. A failed write of the
    // format throws and changes nothing; one of the settings beside it throws with the format
    // written under its new path and the stack left as it was, so the window still has
    // something to save. Saving changes nothing of the format: Bytes() is what it writes.
    QStringList Save(const QString& path);
    // The format as a save writes it: for tests of undo and for snapshots.
    QByteArray Bytes() const;

    QUndoStack& UndoStack() { return m_undo; }
    bool IsModified() const { return !m_undo.isClean(); }

    // ---- Selection and tools (never a step of the stack) -------------------------------------

    // The first picked of the selected controls, or nullptr.
    CControles* Selected() const;
    int SelectedIndex() const { return m_selection.empty() ? -1 : m_selection.front(); }
    // Every selected control's index, first picked first. Exactly these carry their selected
    // flag.
    const std::vector<int>& Selection() const { return m_selection; }
    std::vector<CControles*> SelectedControls() const;
    bool IsSelected(int index) const;
    // The selection becomes that control alone; -1 (or any index outside the list) selects
    // nothing.
    void Select(int index);
    // Shift+click and Ctrl+click: the control joins the selection, or leaves it when it was in.
    void ToggleSelected(int index);
    // "Seleccionar todo", in list order.
    void SelectAll();
    // The rubber band: every control lying wholly inside the area (page units, its corners in
    // any order) is selected; with add, they join the selection as it was.
    void SelectWithin(const Rect& area, bool add);
    // How far from the stroke of a rectangle or a line, in page units, a click still picks it
    // when no view tells: a handle's width.
    static constexpr int kStrokeReach = 2 * CControles::kHandleHalf;
    // The control a click at a format point picks (ControlPicker: a rectangle or a line only on
    // its stroke, a control inside another before its container, then the top layer first); -1
    // on the paper.
    int IndexAt(Point p, int reach = kStrokeReach) const;
    // Selects what a click at the point picks; nothing when it falls on the paper.
    void SelectAt(Point p, int reach = kStrokeReach);
    // Alt+click: the control under the point after the first selected one there, wrapping; with
    // none of them selected, the one a click picks, or the first under the point (a rectangle
    // clicked inside). -1 when nothing lies under the point.
    int NextIndexAt(Point p, int reach = kStrokeReach) const;
    // Tab and Shift+Tab: the next (previous) control in list order, wrapping; with no selection
    // the first (last); nothing in an empty format.
    void SelectNext(bool backwards);

    Tool CurrentTool() const { return m_tool; }
    ControlTypeCode InsertionType() const { return m_insertionType; }
    // Arms the insertion tool for one control of that type.
    void ArmInsertion(ControlTypeCode type);
    void ArmSelection();

    // 0, 10 or 100 page units.
    int SnapStep() const { return m_snap; }
    void SetSnapStep(int step);
    // "Anclar mm" and "Anclar cm": the ticked step turns snapping off, any other sets it.
    void ToggleSnapMillimetre();
    void ToggleSnapCentimetre();
    // Each coordinate truncated towards zero to a multiple of step (unchanged for 0).
    static Point Snap(Point p, int step);

    // ---- Changes (each one step of the stack) -------------------------------------------------

    // A new control of type at (x, y) beneath all others, selected, with the text the designer
    // gives each type (for an image, imagePath), taking the font of the control that was first
    // in the list. Returns it, or nullptr when it could not be made (an image that does not
    // read throws its PictureError and adds nothing).
    CControles* Insert(ControlTypeCode type, Point p, const QString& imagePath = QString());
    // Every selected control, one step (named "Cortar" when the clipboard took them).
    void DeleteSelected(const QString& text = QStringLiteral("Eliminar"));
    // Controls from elsewhere (the clipboard, a duplicate) put beneath all others as one step
    // named text, keeping their order, and selected; as they are, with their names and capture
    // orders already fitted to this format.
    void AddControls(ControlList controls, const QString& text);

    // A drag (moves or resizes between a press and a release) is one step: the changes between
    // BeginDrag and EndDrag merge into it; a drag that changed nothing adds no step.
    void BeginDrag();
    void EndDrag();
    // Outside a drag each call is a step of its own (the arrow keys). Every selected control
    // moves; a resize touches the first picked one only.
    void MoveSelected(int dx, int dy);
    void ResizeSelected(Handle handle, int dx, int dy);
    void MoveColumnDivider(int column, int dx);
    void MoveRowDivider(int row, int dy);
    // The selected table's picked column and row (the designer's header clicks): not a change.
    // Both are set as given (-1 for none); a second click on the same header, which unpicks
    // it, is the view's to tell.
    void PickTableHeader(int column, int row);

    void SetFontOfSelected(const LogFont& font);
    void SetFontOfAll(const LogFont& font);
    void SetColorOfSelected(ColorRef color);
    // Left 0, right 2, centre 6 (1 for paragraphs); a table with a picked column gives the column
    // the same code.
    void AlignSelected(Alignment alignment);
    void ToggleUpperCaseOfSelected();
    void MakeSelectedLineHorizontal();
    void MakeSelectedLineVertical();
    void BringSelectedToFront();
    void SendSelectedToBack();
    // Every control's capture-screen place derived again from its page place.
    void ResetScreenPlacement();

    // ---- Arranging the selection (each one step) ----------------------------------------------

    enum class Edge { Left, Right, Top, Bottom, HorizontalCentre, VerticalCentre };
    // The selected controls moved so that the edge (or centre) of each lies where the first
    // picked one's does. Needs two controls.
    void AlignSelection(Edge edge);
    // The selected controls spread so that the gaps between neighbours are equal, the outermost
    // two staying where they are. Needs three controls.
    void DistributeSelection(bool horizontally);
    // The selected controls given the first picked one's width, height or both, keeping their
    // left and upper edges. Needs two controls.
    void SameSizeOfSelection(bool width, bool height);
    // The selected controls moved together so that what they cover is centred on the paper.
    void CentreSelectionOnPage();
    // "Ajustar al texto": each selected constant text and paragraph sized to what it says, one
    // step for all of them.
    void FitSelectionToText();
    // After an image's rectangle was resized, the picture fitted to it again; part of the drag.
    void FitSelectedPicture();

    // The properties window's edits, each one step. Where the one selected table has a picked
    // column, the name, data type and expression are the column's; otherwise they are the
    // controls' own. Each acts on every selected control that has such a setting, and does
    // nothing where none has.
    void SetNameOfSelected(const QString& name);
    // The data type of a text line or a picked column; the expression goes with the old type.
    void SetDataTypeOfSelected(DataTypeCode code);
    void SetExpressionOfSelected(const QString& expression);
    // A text in boxes: the number of boxes, the width of one box and the distance between two
    // (tenths of a millimetre); the rectangle is laid out again.
    void SetBoxCount(int count);
    void SetBoxWidth(int width);
    void SetBoxDistance(int distance);
    void SetMarkCharacter(const QString& mark);
    // A table's columns and rows.
    void SetColumnCount(int count);
    void SetRowCount(int count);
    // The text a control shows on the page (a capture field's name), typed over it: one step, its
    // selection on undo. Its rules are the caller's to check (FieldNames).
    void SetTextOf(int index, const QString& text);
    // A constant paragraph's text.
    void SetParagraphText(const QString& text);
    // A date field's layout: 0 numeric, 1 abbreviated month, 2 full month.
    void SetDateLayout(int layout);

    // Whether the selected controls allow each command, as the menus show them: font and colour
    // where any of them takes it, and then act on those that do.
    bool SelectedHasFont() const;
    bool SelectedTakesColor() const;
    // Whether the colour command applies to a control: texts, lines, rectangles and dates.
    static bool TakesColor(const CControles& control);
    bool SelectedTakesUpperCase() const;
    bool SelectedIsLine() const;
    // Whether "Ajustar al texto" has a selected control to size.
    bool SelectedFitsText() const;

signals:
    // The controls changed in any way: the view redraws, the properties window lays out again.
    void changed();
    void selectionChanged();
    void pathChanged();
    // The tool in hand or the snap step changed: the menus tick what is in use.
    void toolChanged();

private:
    struct Drag;

    // Makes a format just read the document's, with an empty, clean stack.
    void Take(Format loaded, const FormatSettings& settings, PlenovaSettings plenova,
              const QString& path);

    // Runs change, which touches only the controls at indexes, and makes it one step of the
    // stack named text when it changed any of them; a change that changed nothing adds none.
    void ChangeControls(const QString& text, const std::vector<int>& indexes,
                        const std::function<void()>& change);
    // A change of the first picked control: part of the drag in progress, or a step of its own.
    // Nothing happens without a selection.
    void ChangeSelected(const QString& text, const std::function<void(CControles&)>& change);
    // The same change of each control at indexes, as one step or part of the drag.
    void ChangeEach(const QString& text, const std::vector<int>& indexes,
                    const std::function<void(CControles&)>& change);
    // The selected controls for which take holds.
    std::vector<int> SelectionWhere(const std::function<bool(const CControles&)>& take) const;
    // Puts the list in a new order, order[k] being the index of the control that comes to k:
    // the layer commands.
    void Reorder(const QString& text, const std::vector<int>& order);
    // Makes the changes of the drag in progress one step, if they changed anything.
    void FinishDragStep();
    // Any other step made while a drag is in progress comes after what the drag did so far.
    void SettleDrag();
    // The selected controls moved above (or beneath) all others, keeping their own order.
    void MoveLayer(const QString& text, bool toFront);
    // What the designer keeps following a control's page as it changes, at true scale whatever
    // the view shows: a table's column widths on the capture screen, a label's rectangle around
    // its text. Part of the change that touched the control, so undo gives it back too.
    static void Settle(CControles& control);
    // Each control's capture order, in list order, and the same put back: adding, removing and
    // re-layering number the capture controls again (Format::NumberCaptureOrders), and their
    // steps keep the orders as they were.
    std::vector<int> CaptureOrders() const;
    void SetCaptureOrders(const std::vector<int>& orders);
    // What follows every change and every undone or redone step.
    void Changed(int select);
    void Changed(const std::vector<int>& select);
    // A new selection, told when it differs: not a change of the format.
    void SetSelection(std::vector<int> selection);
    // Gives exactly the selected controls their selected flag.
    void MarkSelection();

    Format m_format;
    FormatSettings m_settings;
    PlenovaSettings m_plenova;
    QString m_path;
    QUndoStack m_undo;
    std::vector<int> m_selection;
    Tool m_tool = Tool::Selection;
    ControlTypeCode m_insertionType = ControlTypeCode::TextlineVar;
    int m_snap = 10;
    std::unique_ptr<Drag> m_drag;
};

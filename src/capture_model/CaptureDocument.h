#pragma once

#include "capture_model/CCaptureControl.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CalculatedFields.h"
#include "capture_model/SavedValues.h"
#include "capture_model/UnreadNumbers.h"
#include "model/Format.h"
#include "model/FormatPrinter.h"
#include "model/FormatSettings.h"
#include "model/PlenovaSettings.h"

#include <QByteArray>
#include <QDate>
#include <QImage>
#include <QObject>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CDateInput;
class CMarcaVar;
class QPagedPaintDevice;

// A format being filled in: its controls with the values they hold, its settings, the file it
// was read from, the captured-data file of its values, the calculated fields and whether the
// values changed since they were last kept. Nothing in it needs a screen: the capture window
// shows it and turns the user's typing into its operations, and plenova-cli and batches work
// on it directly.
//
// The operations are what a user does on the capture screen, with the same outcome to the
// byte: typing over a field (the text its entry box would take), leaving it (a text line is
// reformatted and the fields that name it recomputed), ticking a mark, picking a date,
// confirming a table cell (formatted by its column, the row's formulas and the table's totals
// recomputed), deleting table rows, clearing, loading and saving captured data, printing.
// Each change is signalled, so that a screen showing the document follows it.
//
// Several documents may hold the same format at once and know nothing of each other.
class CaptureDocument : public QObject {
    Q_OBJECT
public:
    explicit CaptureDocument(QObject* parent = nullptr);
    ~CaptureDocument() override;

    // Reads the format at path, and the settings kept beside it, and starts filling it in: every
    // capture field takes values as its entry would, date fields hold the current date,
    // calculated fields start empty and write amounts in the format's wording. A format that
    // cannot be read throws a FormatError and leaves the document as it was; the warnings met on
    // the way (a damaged settings file beside it among them) are returned.
    QStringList OpenFormat(const QString& path);
    // The same for a format as a designer holds it, saved or not: its bytes as a save writes
    // them, the settings it keeps beside it and its path (empty for one never saved). The bytes
    // come from a designer, so they read; a damaged copy still throws its ArchiveException or
    // FormatError and leaves the document as it was.
    QStringList OpenFormat(const QByteArray& formatBytes, const PlenovaSettings& own,
                           const QString& path);

    const QString& FormatPath() const { return m_formatPath; }
    // The file name without its folder, as captured-data files record it.
    const QString& FormatName() const { return m_formatName; }
    const QString& Description() const { return m_format.description; }
    // The captured-data file that "Guardar captura" writes to; empty until one is loaded or
    // saved.
    const QString& CapturedDataPath() const { return m_capturedDataPath; }
    const FormatSettings& Settings() const { return m_settings; }
    // What Plenova keeps beside the format: its paper and the wording of its amounts in words.
    const PlenovaSettings& OwnSettings() const { return m_own; }
    const ControlList& Controls() const { return m_format.controls; }
    // The size of the screen the capture screen was laid out for.
    const ScreenRect& ScreenExtent() const { return m_format.screenExtent; }
    // The first capture field of the list named name, without regard to case; nullptr when
    // there is none.
    CCaptureControl* FindField(const QString& name) const;
    // Null until a format is opened.
    const CalculatedFields* Calculation() const { return m_calculation.get(); }

    // The user types text over all that a text line, paragraph or field of boxes held.
    void TypeText(CCaptureControl& field, const QString& text);
    // The user edited the entry box of a text line, paragraph or field of boxes, which now
    // shows text: the box has applied its rules to what was typed, and the field holds what it
    // shows.
    void EditText(CCaptureControl& field, const QString& text);
    // The user leaves a field: a text line whose text changed is reformatted by its data type
    // and the calculated fields that name it are recomputed; a field of boxes no longer lets
    // the keyboard write past what it holds.
    void LeaveField(CCaptureControl& field);
    void SetChecked(CMarcaVar& mark, bool checked);
    // The user picks a day on a date field's picker; the time of day it held stays. False,
    // changing nothing, for a day outside those a date field takes.
    bool PickDate(CDateInput& field, const QDate& date);
    // The user types text into a table's cell (row and column from 1) and confirms it: the cell
    // holds it formatted by its column, the row's formulas and the fields that total the table
    // follow. False, changing nothing, for a cell outside the table or of a read-only column.
    bool ConfirmCell(CFmtGrid& table, int column, int row, const QString& text);
    // The user deletes rows firstRow to lastRow (from 1) of a table: the rows after them move
    // up, as many empty rows come in at the end, and the totals follow.
    void DeleteRows(CFmtGrid& table, int firstRow, int lastRow);

    // A designer's proof: every text field holds its name (a field of boxes as much of it as its
    // boxes take), every table its columns' titles in its first row and nothing in the others,
    // every mark is ticked; a date field keeps the date it starts with. Calculated fields show
    // their names too, not what they would compute. The values then count as unchanged.
    void FillWithNames();
    // "Limpiar": every field empty (a date field back to today), every number 0. The
    // captured-data file stays the current one; the empty values count as unchanged.
    void ClearValues();
    // Writes the values into the captured-data file at path, which becomes the current one even
    // when the save fails. Throws a CaptureFileError; once saved, the values count as unchanged.
    void SaveCapturedData(const QString& path);
    // Loads the values of the captured-data file at path. The file becomes the current one once
    // its format name matches, even when it then proves damaged; any failure throws a
    // CaptureFileError and leaves every value as it was. Once loaded, the values count as
    // unchanged.
    void LoadCapturedData(const QString& path);
    // The values as a captured-data file holds them, for a copy kept in case Plenova dies.
    QByteArray CapturedDataBytes() const;
    // Values brought back after Plenova died with them unsaved: bytes as CapturedDataBytes()
    // gave them, loaded as LoadCapturedData loads a file (source names them in messages), with
    // capturedDataPath (empty for none) as the current file. They stay unsaved changes against
    // the values kept before, so the file on disk is untouched until a save.
    void RecoverValues(const QByteArray& bytes, const QString& capturedDataPath,
                       const QString& source);
    // Whether a typed value changed since the format was opened or the values were last
    // loaded, saved or cleared (see SavedValues).
    bool HasChanges() const { return m_saved.Differ(m_format.controls); }
    // The number fields and cells whose text reads as no number.
    std::vector<UnreadNumbers::Place> FindUnreadNumbers() const;

    // Writes the format, with its settings, back to the file it was read from, as the capture
    // window writes formats; the old file stays whole when the write fails (a FormatError).
    // Returns the warnings met.
    QStringList SaveFormat();
    // Moves every control on the page by the shift the margin offsets give a printout and
    // writes the format back to its file, so that it prints without the offsets where it
    // printed with them. When the write fails the controls go back where they were and the
    // FormatError is thrown on. The values stay as they are.
    QStringList BuildOffsetsIntoFormat(int facX, int facY);

    // One sheet with the values as they stand, shifted by the margin offsets, onto a printer or
    // a PDF writer whose job the caller has named. False when the job could not start or
    // finish.
    bool Print(QPagedPaintDevice& printer, FormatPrinter::Offsets offsets) const;
    // The same sheet as a picture: white paper of the given size in millimetres at dpi.
    QImage PrintToImage(QSizeF paperMillimetres, int dpi, FormatPrinter::Offsets offsets) const;

signals:
    // A new format replaced the controls: a screen showing them builds itself again.
    void formatOpened();
    // The value of one field changed (typed, reformatted, computed, ticked, picked).
    void fieldChanged(CCaptureControl* field);
    // Cells of a table changed.
    void cellsChanged(CFmtGrid* table);
    // Every value was emptied, or replaced by a file's.
    void valuesCleared();
    void valuesLoaded();

private:
    // Starts filling in a format just read.
    void Start(Format loaded, const FormatSettings& settings, PlenovaSettings own,
               const QString& path);

    Format m_format;
    FormatSettings m_settings;
    PlenovaSettings m_own;
    QString m_formatPath;
    QString m_formatName;
    QString m_capturedDataPath;
    std::unique_ptr<CalculatedFields> m_calculation;
    SavedValues m_saved;
};

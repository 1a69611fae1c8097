#pragma once

#include "capture_model/SavedValues.h"
#include "model/Format.h"
#include "model/FormatPrinter.h"
#include "model/FormatSettings.h"
#include "platform/LogFont.h"

#include <QFont>
#include <QImage>
#include <QScrollArea>
#include <QString>
#include <QStringList>

#include <memory>

class CalculatedFields;
class QPagedPaintDevice;

// The capture screen: the format's capture controls, each with its entry widget at the place the
// capture-screen designer gave it, their captions and the format's labels, on a surface as large
// as the screen the format was laid out for, scrolled when the window is smaller.
//
// The view owns its own copy of the format: several windows may fill in the same format at once
// and know nothing of each other. It owns the calculated fields of that copy too, built once the
// screen is complete; a field the user leaves recomputes the fields that name it.
class CFmtcaptureView : public QScrollArea {
    Q_OBJECT
public:
    explicit CFmtcaptureView(QWidget* parent = nullptr);
    ~CFmtcaptureView() override;

    // Reads the format at path and builds its screen. A format that cannot be read throws a
    // FormatError and leaves the window as it was; the warnings met on the way are returned.
    QStringList OpenFormat(const QString& path);
    // Replaces the controls and the settings with those of the file: nothing changes when the
    // file cannot be read. Builds the screen.
    QStringList ReadFormat(const QString& path);
    // Makes every capture control's entry widget, in capture order for the keyboard, puts the
    // focus in the first field and starts the calculated fields. Calculated fields start empty.
    void BuildScreen();
    // "Limpiar": every field empty, every number 0. The captured-data file stays the current one.
    // The empty fields count as unchanged.
    void ClearValues();
    // Writes the values into the captured-data file at path, which becomes the current one even
    // when the save fails. Throws a CaptureFileError; once saved, the values count as unchanged.
    void SaveCapturedData(const QString& path);
    // Loads the values of the captured-data file at path and repaints the fields. The file
    // becomes the current one once its format name matches, even when it then proves damaged;
    // any failure throws a CaptureFileError and leaves every value as it was. Once loaded, the
    // values count as unchanged.
    void LoadCapturedData(const QString& path);
    // Whether a typed value changed since the format was opened or the values were last
    // loaded, saved or cleared (see SavedValues).
    bool HasChanges() const { return m_saved.Differ(m_format.controls); }

    // "Imprimir formato": one sheet with the values as they stand, shifted by the margin offsets,
    // onto a printer (or a PDF file through it) whose job the caller has named. False when the
    // job could not start or finish.
    bool PrintFormat(QPagedPaintDevice& printer, FormatPrinter::Offsets offsets) const;
    // The same sheet as a picture: white paper of the given size in millimetres at dpi.
    QImage PrintFormatToImage(QSizeF paperMillimetres, int dpi,
                              FormatPrinter::Offsets offsets) const;

    // Writes the window's copy of the format, with its settings, back to the file it was read
    // from, as the capture window writes formats; the old file stays whole when the write
    // fails (a FormatError). Returns the warnings met.
    QStringList SaveFormat();

    const QString& FormatPath() const { return m_formatPath; }
    // The file name without its folder.
    const QString& FormatName() const { return m_formatName; }
    const QString& Description() const { return m_format.description; }
    const QString& CapturedDataPath() const { return m_capturedDataPath; }
    const FormatSettings& Settings() const { return m_settings; }
    ControlList& Controls() { return m_format.controls; }
    const ControlList& Controls() const { return m_format.controls; }
    // Null until the screen is built.
    CalculatedFields* Calculation() const { return m_calculation.get(); }
    // The surface that holds the entry widgets, as large as the capture screen.
    QWidget* Screen() const { return m_screen; }
    // The entry widget of the first capture control whose capture order + 1173 is identifier.
    QWidget* EntryWidget(int identifier) const;

signals:
    // A sentence for the status bar about what was just entered (text in a number field that
    // counts 0); empty once the field or cell entered holds a number again.
    void notice(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Enter in a field that does not take it itself goes on to the next field, as Tab does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Marks every number field whose text reads as no number, and unmarks the others.
    void MarkUnreadNumbers();
    // Tells of text entered into a field or cell that reads as no number, or that it is mended.
    void Tell(bool unread, const QString& text);
    void PaintScreen();
    void DestroyScreen();
    // The size the screen takes: the stored screen extent, grown to hold every control.
    QSize ScreenSize() const;

    Format m_format;
    FormatSettings m_settings;
    QString m_formatPath;
    QString m_formatName;
    QString m_capturedDataPath;
    LogFont m_screenLogFont;
    QFont m_screenFont;
    QWidget* m_screen;
    std::unique_ptr<CalculatedFields> m_calculation;
    bool m_toldUnread = false;
    SavedValues m_saved;
};

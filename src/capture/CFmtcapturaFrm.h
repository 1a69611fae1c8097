#pragma once

#include "commands/CommandId.h"
#include "commands/WindowCommands.h"
#include "platform_widgets/DocumentLock.h"
#include "platform_widgets/SaveQuestion.h"

#include <QList>
#include <QMdiSubWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CaptureDocument;
class CFmtcaptureView;
class MarginsDialog;
class QAction;
class QMainWindow;
class QMenu;
class QPrinter;
class QStatusBar;
class QToolBar;
class RecoveryFile;
class RecoveryKeeper;

// The window in which a format is filled in and printed: a child window of the main frame with
// its own menu, toolbar and status bar around the capture screen, which shows the window's
// capture document. The commands ask the document. Each format opened for capture gets a window
// (and a document) of its own. Values changed since they were last loaded, saved or cleared are not
// lost without a question: "Limpiar", opening other captured data and closing the window (alone
// or with the application) first ask whether to save them.
//
// Its menu is shown in the main frame's menu bar while it is the active child. Commands that
// belong to the application (opening another format, leaving, the about box) are only made
// here: the main frame connects them.
class CFmtcapturaFrm : public QMdiSubWindow {
    Q_OBJECT
public:
    // Which file dialog a command asks with: a captured-data file to open or to save, or the
    // table of values of a batch.
    enum class CaptureDialog { Open, Save, Batch };
    // Asks the user for a file, offering the one named; an empty path means the user cancelled.
    using FileChooser = std::function<QString(CaptureDialog, const QString& offered)>;
    // Tells the user why a command failed, with an OK button only.
    using Messenger = std::function<void(const QString&)>;
    // Runs the margins dialog; true when the user confirmed it.
    using MarginsRunner = std::function<bool(MarginsDialog&)>;
    // Asks the user for the PDF file to export to, offering the one named; an empty path means
    // the user cancelled.
    using PdfChooser = std::function<QString(const QString& offered)>;
    // Asks "¿Desea guardar los datos capturados...?", given whole.
    using SaveAsker = SaveQuestion::Asker;
    // Asks the user a question; true to go on.
    using Question = std::function<bool(const QString&)>;

    explicit CFmtcapturaFrm(QWidget* parent = nullptr);
    ~CFmtcapturaFrm() override;

    // Reads the format and builds its screen; the caption then names the file. A format that
    // cannot be read throws a FormatError and changes nothing. Returns the warnings met.
    QStringList OpenFormat(const QString& path);
    // Sets the caption from the path and tells whoever follows it.
    void UpdateTitle();
    // Takes the size that shows the whole capture screen, at most room.
    void FitToScreen(const QSize& room);

    // "Guardar captura": asks for a file only while there is no current captured-data file. The
    // file offered is named after the format and its folio (see DefaultFileName), in the
    // format's folder. False when the user cancelled or the file could not be written (the user
    // is told why). A captured-data file this window opened or saved stays locked while it is
    // the window's; one that another window has is never written over, and saying so is the
    // refusal.
    bool SaveCapture();
    // "Guardar captura como...": always asks.
    bool SaveCaptureAs();
    // "Abrir datos capturados": asks whether to save changed values, then for a file, and
    // loads its values.
    void LoadCapture();
    // "Limpiar": asks whether to save changed values, then empties every field.
    void ClearCapture();
    // Whether the values may be lost: at once when none changed since they were last loaded,
    // saved or cleared; otherwise after "¿Desea guardar los datos capturados en datos.cap?" (or
    // "...capturados?" with no file yet): "Sí" saves (asking for a name when there is none),
    // "No" lets them go, "Cancelar" keeps them.
    bool MayDiscardValues();
    // Loads the values of the captured-data file at path; false, after telling the user why,
    // when it cannot be loaded (every value then stays as it was). The file is locked when
    // nobody else has it open; otherwise its values are read all the same, and only saving them
    // over it is refused.
    bool LoadCaptureFrom(const QString& path);
    // Brings back the values left unsaved when Plenova died, into the format already open: as
    // unsaved changes against its captured-data file (read first when it is still there), which
    // stays untouched until a save. False, after telling the user why, when they cannot be
    // loaded.
    bool RecoverValues(const RecoveryFile& file);
    // Keeps changed values in a recovery file while the window has them.
    RecoveryKeeper& Recovery() const { return *m_recovery; }
    // Replace the standard file dialog, message box and margins dialog's run (all have
    // defaults).
    void SetFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void SetMessenger(Messenger messenger) { m_tell = std::move(messenger); }
    void SetMarginsRunner(MarginsRunner runner) { m_runMargins = std::move(runner); }
    void SetPdfChooser(PdfChooser chooser) { m_choosePdf = std::move(chooser); }
    void SetQuestion(Question question) { m_ask = std::move(question); }
    void SetSaveAsker(SaveAsker asker) { m_askSave = std::move(asker); }

    // The format's path, empty until one is opened.
    const QString& Path() const;
    CaptureDocument& Document() const { return *m_document; }
    CFmtcaptureView* View() const { return m_view; }
    // The menus the main frame shows while this window is active.
    const QList<QMenu*>& Menus() const { return m_menus; }
    QAction* CommandAction(CommandId id) const { return m_commands.Action(id); }
    QToolBar* ToolBar() const { return m_toolBar; }
    QStatusBar* StatusBar() const { return m_statusBar; }

    // The printer the window prints on; it keeps its set-up from one print to the next. Windows
    // given the same printer share it (the application's printer); otherwise the window makes
    // one of its own the first time it is needed, set as the settings file keeps it (letter
    // paper without settings; see PrinterSettings). A format that names its paper in the
    // settings beside it prints on that paper until the user sets the page up otherwise in
    // this window.
    QPrinter& Printer();
    void SetPrinter(std::shared_ptr<QPrinter> printer) { m_printer = std::move(printer); }
    // Prints one sheet with the values as typed, shifted by the installation's margin offsets,
    // after the print dialog; false, without a word, when the dialog is cancelled or the job
    // fails. Number fields that hold no number are named first, and the user may stop there;
    // so do the preview and the PDF export.
    bool PrintFormat();
    // "Imprimir lote desde CSV...": asks for a table of values, fills the format in once for
    // each row in a capture document of its own (the values on this window stay as they are) and,
    // after every row has been checked and the print dialog confirmed, prints each row on a sheet
    // of its own, with a progress dialog that can stop it. A bad row is told with its line before
    // anything prints. False when nothing was printed or the batch was stopped.
    bool PrintBatch();
    // "Vista preliminar": the sheet "Imprimir formato" prints, offsets and all, in a preview on
    // the window's printer, from which it can be printed. With "Fondo en la vista preliminar"
    // (on unless turned off) a format laid out over a picture of its stationery shows over that
    // picture, which is never printed. True when it was printed from there.
    bool PreviewFormat();
    // "Exportar a PDF...": asks for a file and writes into it the sheet "Imprimir formato"
    // prints, on the window's printer's paper, without the print dialog. False when the user
    // cancelled or the file could not be written (the user is told why; a file that was there
    // stays as it was).
    bool ExportPdf();
    bool ExportPdfTo(const QString& path);
    // "Imprimir hoja de calibración": after the print dialog, a sheet of crosses and scales
    // shifted by the installation's offsets, to measure where the printer puts its ink. False
    // when the dialog was cancelled or the job failed.
    bool PrintCalibrationSheet();
    // The page set-up dialog on the window's printer; false when cancelled.
    bool SetUpPrinter();
    // "Configurar Márgenes": the margins dialog on the installation's offsets, which OK writes
    // back. When the user asked for it, the offsets then go into the format: see
    // BuildOffsetsIntoFormat. False when the dialog was cancelled.
    bool EditMargins();
    // Moves every control on the page by the shift the offsets give the printout and writes the
    // format back to its file, then sets the offsets to 0: the format now prints where it
    // printed with them. The entry widgets and the typed values stay as they are. A file that
    // cannot be written is left as it was, like the controls and the offsets, and the user is
    // told why; false then.
    bool BuildOffsetsIntoFormat(int facX, int facY);

signals:
    // After every change of the caption, and when the window is activated or resized.
    void captionChanged(QMdiSubWindow* frame);
    void formatOpened(const QString& path);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Closing asks before changed values are lost; "Cancelar" keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    void MakeMenus();
    void MakeToolBar();
    void MakeStatusBar();
    void ConnectCaptureFileCommands();
    QString ChooseCaptureFile(CaptureDialog dialog, const QString& offered = QString());
    bool WriteCapture(const QString& path);
    // What a file of the values on the screen is offered as: "factura-A-1024.pdf" beside the
    // format.
    QString OfferedFile(const QString& suffix) const;
    // Names the job, prints one copy and asks where, offering the file given.
    bool ChoosePrinter(QPrinter& printer, const QString& offeredFile);
    void ConnectPrinting();
    void ConnectPreviewAndExport();
    // "Config"/"FacX" and "Config"/"FacY", written to the settings file at once.
    void WriteOffsets(int facX, int facY);
    void Tell(const QString& message);
    // Whether the sheet may go out: at once when every number field holds a number or nothing,
    // otherwise when the user says so, asked with ask after the fields are named.
    bool MayPrintUnreadNumbers(const QString& ask);

    std::unique_ptr<CaptureDocument> m_document;
    RecoveryKeeper* m_recovery;
    QMainWindow* m_body;
    CFmtcaptureView* m_view;
    QToolBar* m_toolBar = nullptr;
    QStatusBar* m_statusBar = nullptr;
    WindowCommands m_commands;
    QList<QMenu*> m_menus;
    FileChooser m_chooseFile;
    Messenger m_tell;
    MarginsRunner m_runMargins;
    PdfChooser m_choosePdf;
    Question m_ask;
    SaveAsker m_askSave;
    std::shared_ptr<QPrinter> m_printer;
    // The user chose the paper in "Configurar impresora" since the format was opened.
    bool m_paperChosen = false;
    // The lock on the current captured-data file; the format itself is only read here.
    DocumentLock m_captureLock;
};

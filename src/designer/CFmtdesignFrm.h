#pragma once

#include "commands/CommandId.h"
#include "commands/WindowCommands.h"
#include "designer/BackdropCalibrationDialog.h"
#include "designer/ReferenceBackdropDialog.h"
#include "model/AmountWording.h"
#include "model/FormatSettings.h"
#include "model/Paper.h"
#include "platform/Point.h"
#include "platform_widgets/DocumentLock.h"
#include "platform_widgets/SaveQuestion.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QMdiSubWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class CFmtdesignView;
class CRules;
class DesignClipboard;
class DesignDocument;
class PropertiesDialog;
class QAction;
class QDockWidget;
class QLabel;
class QMainWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class RecoveryFile;
class RecoveryKeeper;
class ReferenceBackdrop;
class TwoPointPicker;
class ZoomBox;

// The window in which a format is laid out: a child window of the main frame with the page at
// true scale between two rulers, two toolbars, a status bar with the pointer's position, and a
// menu of its own. The window owns the format (a DesignDocument) and every change a user makes
// to it is a step that can be undone.
//
// A window whose format changed since it was opened or saved asks before it closes or before
// another format replaces it; one without changes closes at once.
class CFmtdesignFrm : public QMdiSubWindow {
    Q_OBJECT
public:
    // The answer to "¿Desea guardar los cambios en %s?".
    using SaveAnswer = ::SaveQuestion::Answer;
    // The dialogs the window asks through; each has a default, and tests replace them.
    enum class FormatDialog { Open, Save, Pdf };
    using FileChooser = std::function<QString(FormatDialog)>;
    using SaveQuestion = std::function<SaveAnswer(const QString& name)>;
    using Messenger = std::function<void(const QString&)>;
    // Yes or No to a question (the font for every control).
    using Question = std::function<bool(const QString&)>;
    // The font picked starting from initial (TrueType fonts only when asked); nothing when
    // cancelled.
    using FontChooser =
        std::function<std::optional<QFont>(const QFont& initial, bool trueTypeOnly)>;
    // The colour picked starting from initial; nothing when cancelled.
    using ColorChooser = std::function<std::optional<QColor>(const QColor& initial)>;
    // The format settings and the wording of its amounts in words as edited; nothing when
    // cancelled.
    struct EditedSettings {
        FormatSettings settings;
        AmountWording wording = AmountWording::Traditional;
    };
    using SettingsEditor = std::function<std::optional<EditedSettings>(const EditedSettings&)>;
    // The paper chosen starting from current; nothing when cancelled.
    using PaperChooser = std::function<std::optional<Paper>(const Paper& current)>;
    // The access key typed by the user; nothing when cancelled.
    using KeyAsker = std::function<std::optional<QString>()>;
    // "Fondo de referencia...": the choice made from the backdrop as it is; nothing when
    // cancelled.
    using BackdropChooser = std::function<std::optional<ReferenceBackdropDialog::Choice>(
        const ReferenceBackdrop& current)>;
    // What the user knows of two marks now shownMm apart; nothing when cancelled.
    using CalibrationAsker =
        std::function<std::optional<BackdropCalibrationDialog::Answer>(double shownMm)>;

    explicit CFmtdesignFrm(QWidget* parent = nullptr);
    ~CFmtdesignFrm() override;

    DesignDocument& Document() const { return *m_document; }
    // "Cortar", "Copiar", "Pegar" and "Duplicar" over the desktop's clipboard.
    DesignClipboard& Clipboard() const { return *m_clipboard; }
    CFmtdesignView* View() const { return m_view; }

    // Reads the format at path into this window, replacing what it held (after asking, when that
    // had changes). A format that cannot be read is reported and leaves the window as it was;
    // false then, and when the user cancelled. A format protected by a key is read only after
    // the user typed it; a refusal is told and also leaves the window as it was. The format is
    // locked while the window has it; one that someone else has open is read only to be read,
    // after asking (see DocumentLock).
    bool OpenFormat(const QString& path);
    // "Nuevo desde plantilla...": a copy of the template at path as a new, unnamed format (after
    // asking, when what the window held had changes); the template itself is never written. A
    // template that cannot be read, or whose key is not given, is told and leaves the window as
    // it was; false then.
    bool OpenTemplate(const QString& path);
    // Brings back a design left unsaved when Plenova died, as unsaved changes of the format it
    // names; false, after telling the user, when it cannot be read.
    bool Recover(const RecoveryFile& file);
    // Keeps the unsaved changes in a recovery file while the window has them.
    RecoveryKeeper& Recovery() const { return *m_recovery; }
    // "Abrir formato...": asks for a file, then as OpenFormat.
    bool OpenFormatDialog();
    // "Configurar": edits the settings of this window's format, one step that can be undone.
    void EditSettings();
    // "Papel...": the paper of this window's format, one step that can be undone.
    void ChoosePaper();
    // "Guardar formato": asks for a name only while the format has none, or while the window has
    // it only to read. False when the user cancelled or the write failed (the user is told why;
    // the file on disk stays as it was). A file someone else has open is never written over.
    bool Save();
    // "Guardar formato como...": always asks.
    bool SaveAs();
    // "Exportar a PDF...": asks for the file, then asks whoever prints the window's proofs
    // (proofPdfRequested). False when the user cancelled.
    bool ExportProofPdf();
    // Whether the window may go: true without changes; otherwise asks, and saves when told to.
    bool MayClose();

    // Sets the caption, "Diseño de formato - " with the path or "(nuevo)", and "(solo lectura)"
    // while someone else has the format open; then tells whoever follows it.
    void UpdateTitle();

    // "Propiedades": the window's properties bar, made on first use floating at (100, 50) of
    // the screen and later shown where it was left. Hiding keeps it for the next show.
    void ShowProperties();
    void HideProperties();
    // Both nullptr until the bar was first shown.
    PropertiesDialog* Properties() const { return m_properties; }
    QDockWidget* PropertiesBar() const { return m_propertiesBar; }

    // The scan of the stationery under the page: never printed nor saved in the format, kept
    // beside it and read again whenever the format is opened here.
    ReferenceBackdrop& Backdrop() const { return *m_backdrop; }
    TwoPointPicker& BackdropPicker() const { return *m_picker; }
    // "Fondo de referencia...": asks, then as ApplyBackdrop.
    void ChooseBackdrop();
    // Lays the chosen picture under the page, sizes, shows or removes it, and keeps it beside
    // the format. A picture that cannot be read is told and the backdrop stays as it was.
    void ApplyBackdrop(const ReferenceBackdropDialog::Choice& choice);
    // "Calibrar fondo con dos puntos": the next two clicks on the view mark the backdrop.
    void StartBackdropCalibration();
    void SetBackdropChooser(BackdropChooser chooser) { m_chooseBackdrop = std::move(chooser); }
    void SetCalibrationAsker(CalibrationAsker asker) { m_askCalibration = std::move(asker); }

    void SetFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void SetSaveQuestion(SaveQuestion question) { m_askSave = std::move(question); }
    void SetMessenger(Messenger messenger) { m_tell = std::move(messenger); }
    void SetQuestion(Question question) { m_ask = std::move(question); }
    void SetFontChooser(FontChooser chooser) { m_chooseFont = std::move(chooser); }
    void SetColorChooser(ColorChooser chooser) { m_chooseColor = std::move(chooser); }
    void SetSettingsEditor(SettingsEditor editor) { m_editSettings = std::move(editor); }
    void SetKeyAsker(KeyAsker asker) { m_askKey = std::move(asker); }
    void SetPaperChooser(PaperChooser chooser) { m_choosePaper = std::move(chooser); }
    void SetLockAsker(DocumentLock::Asker asker) { m_lock.SetAsker(std::move(asker)); }
    // Whether the window has its format only to read, someone else having it open.
    bool IsReadOnly() const { return m_lock.IsReadOnly(); }

    const QList<QMenu*>& Menus() const { return m_menus; }
    QAction* CommandAction(CommandId id) const { return m_commands.Action(id); }
    QToolBar* ToolBar(int resource) const;
    // The zoom box at the end of toolbar 130.
    ZoomBox* Zoom() const { return m_zoomBox; }
    QStatusBar* StatusBar() const { return m_statusBar; }
    const QString& PositionText() const { return m_positionText; }

signals:
    // After every change of the caption, and when the window is activated or resized.
    void captionChanged(QMdiSubWindow* frame);
    // "Vista preliminar" and "Exportar a PDF...": the page printed with each field's name in its
    // place. The designer does not print; the capture side prints the proof (the main frame
    // connects them).
    void proofPreviewRequested(CFmtdesignFrm* frame);
    void proofPdfRequested(CFmtdesignFrm* frame, const QString& path);
    // A format was opened, or a format never saved got its first name: the recent formats.
    void recentFormat(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void MakeCommands();
    void MakeMenus();
    void MakeToolBars();
    void MakeStatusBar();
    void MakeLayout();
    // Both toolbars on one row when it is wide enough for them, on two rows otherwise.
    void WrapToolBars();
    void ConnectCommands();
    // Enables and ticks every command by the document's state.
    void UpdateCommands();
    // "Fuente": for the selected control, or for every control after asking.
    void ChooseFont(bool trueTypeOnly);
    void ChooseColor();
    // The font the dialog showed on opening at initial and the one the user left it at; nothing
    // when cancelled.
    std::optional<std::pair<QFont, QFont>> PickFont(const QFont& initial, bool trueTypeOnly);
    bool WriteTo(const QString& path);
    // OpenFormat and OpenTemplate: the format itself, or a copy of it that has no name.
    bool Load(const QString& path, bool asCopy);
    // The backdrop the format keeps beside it comes back with it.
    void RestoreBackdrop();
    QString ChooseFile(FormatDialog dialog);
    void Tell(const QString& message);
    void UpdateBackdropCommands();
    // The backdrop written beside the format, when it has a name, or taken away from there when
    // there is none any more; a failure is told.
    void KeepBackdrop();
    void CalibrateBackdrop(Point first, Point second);

    DesignDocument* m_document;
    RecoveryKeeper* m_recovery;
    QMainWindow* m_body;
    CFmtdesignView* m_view = nullptr;
    CRules* m_horizontalRuler = nullptr;
    CRules* m_verticalRuler = nullptr;
    QToolBar* m_toolBar130 = nullptr;
    QToolBar* m_toolBar136 = nullptr;
    ZoomBox* m_zoomBox = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_messagePane = nullptr;
    QLabel* m_positionPane = nullptr;
    QString m_positionText;
    bool m_wasMaximized = false;
    QList<QMenu*> m_menus;
    FileChooser m_chooseFile;
    SaveQuestion m_askSave;
    Messenger m_tell;
    Question m_ask;
    FontChooser m_chooseFont;
    ColorChooser m_chooseColor;
    SettingsEditor m_editSettings;
    KeyAsker m_askKey;
    PaperChooser m_choosePaper;
    QDockWidget* m_propertiesBar = nullptr;
    PropertiesDialog* m_properties = nullptr;
    std::unique_ptr<ReferenceBackdrop> m_backdrop;
    TwoPointPicker* m_picker = nullptr;
    DesignClipboard* m_clipboard = nullptr;
    BackdropChooser m_chooseBackdrop;
    CalibrationAsker m_askCalibration;
    WindowCommands m_commands;
    DocumentLock m_lock;
};

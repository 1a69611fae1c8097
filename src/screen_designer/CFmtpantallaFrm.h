#pragma once

#include "commands/CommandId.h"
#include "commands/WindowCommands.h"
#include "platform_widgets/DocumentLock.h"
#include "platform_widgets/SaveQuestion.h"

#include <QList>
#include <QMdiSubWindow>
#include <QString>

#include <functional>

class CFmtpantallaView;
class QAction;
class QMainWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class RecoveryFile;
class RecoveryKeeper;
class ScreenDocument;
class ZoomBox;

// The window in which the capture screen of a format is arranged: where each field lies on the
// data-entry screen, whether its caption stands above it or beside it, and the order in which
// the fields are visited. A child window of the main frame with its own menu, toolbar and status
// bar; it exists only for a format it opened, and writes it back to the same file.
//
// Every change is a step that can be undone; a window with changes not yet saved asks before it
// closes.
class CFmtpantallaFrm : public QMdiSubWindow {
    Q_OBJECT
public:
    using SaveAnswer = ::SaveQuestion::Answer;
    using SaveAsker = std::function<SaveAnswer(const QString& name)>;
    using Messenger = std::function<void(const QString&)>;
    // Asks for the name of a copy of the format; empty when the user cancelled.
    using FileChooser = std::function<QString()>;

    explicit CFmtpantallaFrm(QWidget* parent = nullptr);
    ~CFmtpantallaFrm() override;

    ScreenDocument& Document() const { return *m_document; }
    CFmtpantallaView* View() const { return m_view; }

    // Reads the format at path into the window. A format that cannot be read is reported and
    // leaves the window empty; false then. The format is locked while the window has it; one
    // that someone else has open is read only to be read, after asking (see DocumentLock), and
    // false when the user cancelled.
    bool OpenScreenLayout(const QString& path);
    // Brings back a screen arrangement left unsaved when Plenova died, as unsaved changes of the
    // format it names; false, after telling the user, when it cannot be read.
    bool Recover(const RecoveryFile& file);
    // Keeps the unsaved changes in a recovery file while the window has them.
    RecoveryKeeper& Recovery() const { return *m_recovery; }
    // "Guardar formato": writes the arrangement into the format's file, or into a copy the user
    // names while the window has the format only to read. False, after telling the user why,
    // when the write failed or someone else has the file open; the file on disk is then the one
    // before. False also when the user cancelled the name.
    bool Save();
    // Whether the window may go: true without changes; otherwise asks, and saves when told to.
    bool MayClose();

    // Takes the size that shows the whole arrangement, at most room.
    void FitToScreen(const QSize& room);

    // "Diseño de pantalla - " with the path, or "(nuevo)", and "(solo lectura)" while someone
    // else has the format open; then tells whoever follows it.
    void UpdateTitle();

    void SetSaveAsker(SaveAsker asker) { m_askSave = std::move(asker); }
    void SetMessenger(Messenger messenger) { m_tell = std::move(messenger); }
    void SetFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void SetLockAsker(DocumentLock::Asker asker) { m_lock.SetAsker(std::move(asker)); }
    // Whether the window has its format only to read, someone else having it open.
    bool IsReadOnly() const { return m_lock.IsReadOnly(); }

    const QList<QMenu*>& Menus() const { return m_menus; }
    QAction* CommandAction(CommandId id) const { return m_commands.Action(id); }
    QToolBar* ToolBar() const { return m_toolBar; }
    // The zoom box at the end of the toolbar.
    ZoomBox* Zoom() const { return m_zoomBox; }
    QStatusBar* StatusBar() const { return m_statusBar; }

signals:
    // After every change of the caption, and when the window is activated or resized.
    void captionChanged(QMdiSubWindow* frame);
    // A format was opened: the recent formats.
    void formatOpened(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void MakeCommands();
    void MakeMenus();
    void MakeToolBar();
    void MakeStatusBar();
    // Enables and ticks the commands by the document's state.
    void UpdateCommands();
    void Tell(const QString& message);
    // The file a read-only window's arrangement is saved into; empty when the user cancelled.
    QString ChooseCopy();

    ScreenDocument* m_document;
    RecoveryKeeper* m_recovery;
    QMainWindow* m_body;
    CFmtpantallaView* m_view;
    QToolBar* m_toolBar = nullptr;
    ZoomBox* m_zoomBox = nullptr;
    QStatusBar* m_statusBar = nullptr;
    WindowCommands m_commands;
    QList<QMenu*> m_menus;
    SaveAsker m_askSave;
    Messenger m_tell;
    FileChooser m_chooseFile;
    DocumentLock m_lock;
};

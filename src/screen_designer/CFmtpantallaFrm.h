#pragma once

#include "commands/CommandId.h"
#include "commands/WindowCommands.h"
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

    explicit CFmtpantallaFrm(QWidget* parent = nullptr);
    ~CFmtpantallaFrm() override;

    ScreenDocument& Document() const { return *m_document; }
    CFmtpantallaView* View() const { return m_view; }

    // Reads the format at path into the window. A format that cannot be read is reported and
    // leaves the window empty; false then.
    bool OpenScreenLayout(const QString& path);
    // Brings back a screen arrangement left unsaved when Plenova died, as unsaved changes of the
    // format it names; false, after telling the user, when it cannot be read.
    bool Recover(const RecoveryFile& file);
    // Keeps the unsaved changes in a recovery file while the window has them.
    RecoveryKeeper& Recovery() const { return *m_recovery; }
    // "Guardar formato": writes the arrangement into the format's file. False, after telling the
    // user why, when the write failed; the file on disk is then the one before.
    bool Save();
    // Whether the window may go: true without changes; otherwise asks, and saves when told to.
    bool MayClose();

    // Takes the size that shows the whole arrangement, at most room.
    void FitToScreen(const QSize& room);

    // "Diseño de pantalla - " with the path, or "(nuevo)"; then tells whoever follows it.
    void UpdateTitle();

    void SetSaveAsker(SaveAsker asker) { m_askSave = std::move(asker); }
    void SetMessenger(Messenger messenger) { m_tell = std::move(messenger); }

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
};

#pragma once

#include "commands/CommandId.h"
#include "commands/WindowCommands.h"
#include "platform_widgets/DocumentLock.h"
#include "shell/CAccessBar.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <utility>

class CFmtcapturaFrm;
class CSizingControlBar;
class CFmtdesignFrm;
class CFmtpantallaFrm;
class CHelpWindow;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class RecoveryFile;
class WindowMenu;

// The main window: the child windows in its client area, the main menu while none of them is
// active and the active child's menu otherwise, and the caption "PLENOVA" followed by the
// caption of the child that last changed its own.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(const QString& defaultFolder, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // A new capture window with the format at path; nullptr, after telling the user, when the
    // format cannot be read (the window then stays open and empty).
    CFmtcapturaFrm* OpenForCapture(const QString& path);
    // Asks for a format and opens it for capture; nothing happens when the user cancels.
    void OpenCaptureDialog();
    // "Nuevo formato": a new design window with an empty format.
    CFmtdesignFrm* NewDesign();
    // "Nuevo desde plantilla...": asks for a template (see TemplateDialog), then as
    // OpenTemplate; nullptr when the user cancelled.
    CFmtdesignFrm* NewFromTemplate();
    // A new design window with a copy of the template at path as a new, unnamed format;
    // nullptr, after telling the user, when it cannot be read (no window then stays).
    CFmtdesignFrm* OpenTemplate(const QString& path);
    // Replaces the template dialog: the path it would give, empty for a cancel.
    void SetTemplateChooser(std::function<QString()> chooser) {
        m_chooseTemplate = std::move(chooser);
    }
    // A design window's "Vista preliminar" and "Exportar a PDF...": its format as it stands,
    // saved or not, printed with each field's name in its place (see FormatProof), on the
    // application's printer and its format's paper. A failure is told; false then.
    bool PreviewProof(CFmtdesignFrm* frame);
    bool ExportProofPdf(CFmtdesignFrm* frame, const QString& path);
    // "Diseño de formato": a new design window, then its "Abrir formato..." dialog; when the user
    // cancels, the empty window stays.
    CFmtdesignFrm* OpenDesignDialog();
    // A new design window with the format at path; nullptr, after telling the user, when the
    // format cannot be read or its access key is refused (no window then stays).
    CFmtdesignFrm* OpenForDesign(const QString& path);
    // A new capture-screen design window with the format at path, without an access check;
    // nullptr, after telling the user, when the format cannot be read (no window then stays).
    CFmtpantallaFrm* OpenForScreenDesign(const QString& path);
    // Windows brought back after a crash, each with what it had unsaved as unsaved changes (see
    // RecoveryOffer); nullptr, after telling the user, when it cannot be.
    CFmtdesignFrm* RecoverDesign(const RecoveryFile& file);
    CFmtpantallaFrm* RecoverScreenDesign(const RecoveryFile& file);
    CFmtcapturaFrm* RecoverCapture(const RecoveryFile& file);
    // Whether questions may be asked (see SetAsksNothing).
    bool AsksNothing() const { return m_asksNothing; }
    // "Formato de captura": asks for a format and arranges its capture screen; nothing happens
    // when the user cancels.
    void OpenScreenDesignDialog();
    // Messages go to the standard error stream rather than to message boxes: for runs that
    // nobody watches (a screenshot).
    void SetUnattended(bool unattended) { m_unattended = unattended; }
    // No question is asked at all, for runs where nobody could answer one: a format protected
    // by a key is refused with a message rather than waiting on the key's dialog, and one that
    // someone else has open is opened only to be read, with a message.
    void SetAsksNothing(bool asksNothing) { m_asksNothing = asksNothing; }
    // Every child window goes, without a question, once the event being handled is over: the
    // command that asked for it ("Salir" of a child's own menu) may still be running in one of
    // the menus the window takes with it.
    void CloseAllChildren();
    // Tells the user, in a box with an OK button, or on standard error when unattended.
    void ShowMessage(const QString& message);

    // "Barra de acceso": shows the access bar docked on the left.
    void ShowAccessBar();
    CAccessBar* AccessBar() const { return m_accessBar; }
    CSizingControlBar* AccessBarDock() const { return m_accessBarDock; }

    QMdiArea* MdiArea() const { return m_mdiArea; }
    // The "Ventana" menu, shown in the menu bar while a child window is open.
    WindowMenu* Windows() const { return m_windowMenu; }
    QAction* CommandAction(CommandId id) const { return m_commands.Action(id); }
    // The application's printer: every capture window prints on it, and the printer set-up of
    // the main menu or of any capture window changes it for all of them.
    QPrinter& Printer() const { return *m_printer; }
    // The help window, once help has been asked for; nullptr before.
    CHelpWindow* HelpWindow() const { return m_help; }

protected:
    // Leaving the application asks, for each design window (of the format or of its capture
    // screen) with unsaved changes and each capture window with changed values, whether to save
    // them; a cancelled question keeps the application open.
    void closeEvent(QCloseEvent* event) override;

public slots:
    // A child window changed its caption: the main caption follows it.
    void childCaptionChanged(QMdiSubWindow* child);
    // "Contenido" and F1: the help window on its contents page, made at the first call and
    // brought to the front at every other.
    void ShowHelp();

private:
    void MakeMenu();
    void ShowMenusOf(QMdiSubWindow* child);
    // A new child window in the area, not shown yet; the main caption forgets it when it goes.
    void AddChild(QMdiSubWindow* child);
    // Shows a child window of its final size where the user can reach it: maximized when the
    // other windows are, otherwise whole inside the area, a step below and to the right of the
    // window in front when it fits there, at the area's corner when it does not.
    void ShowChild(QMdiSubWindow* child);
    // The answer of a window that asks nothing about a format someone else has open.
    DocumentLock::Asker ReadOnlyUnasked();
    // The design window as the main menu makes it, not shown yet.
    CFmtdesignFrm* MakeDesign();
    // A design window shown with what load put into it; nullptr, and no window, when it failed.
    CFmtdesignFrm* DesignWith(const std::function<bool(CFmtdesignFrm&)>& load);
    // The same for a capture-screen design window.
    CFmtpantallaFrm* ScreenDesignWith(const std::function<bool(CFmtpantallaFrm&)>& load);
    // A child window closed: the main caption then names the window in front, or none.
    void CaptionAfterClose();
    void DeleteChildren();
    void ShowAbout();
    // The format a "Abrir" command asks for; empty when the user cancels.
    QString AskForFormat();
    // A child window's "Salir", "Acerca de Plenova...", "Contenido" and "Barra de acceso" are
    // the application's.
    void ConnectApplicationCommands(QAction* exit, QAction* about, QAction* help,
                                    QAction* accessBar);
    // A format opened or named for the first time: at the top of the recent formats, and the
    // access bar lists them again.
    void RememberFormat(const QString& path);
    void MakeAccessBar();
    void OpenFromAccessBar(CAccessBar::Target target, const QString& path);
    // A "Barra de acceso" command of the main menu or of a child window's menu.
    void ConnectAccessBarCommand(QAction* command);

    QString m_defaultFolder;
    QMdiArea* m_mdiArea;
    QList<QMenu*> m_menus;
    WindowMenu* m_windowMenu;
    WindowCommands m_commands;
    // The child whose caption the main caption shows.
    QPointer<QMdiSubWindow> m_captionChild;
    bool m_unattended = false;
    bool m_asksNothing = false;
    std::function<QString()> m_chooseTemplate;
    std::shared_ptr<QPrinter> m_printer;
    // A child of the frame: closing it only hides it.
    CHelpWindow* m_help = nullptr;
    CAccessBar* m_accessBar = nullptr;
    CSizingControlBar* m_accessBarDock = nullptr;
};

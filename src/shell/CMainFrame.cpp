#include "shell/CMainFrame.h"

#include "capture/CFmtcapturaFrm.h"
#include "capture/CFmtcaptureView.h"
#include "capture/FormatProof.h"
#include "capture/PrinterDialogs.h"
#include "capture/PrinterSettings.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/DesignDocument.h"
#include "designer/TemplateDialog.h"
#include "platform/FileError.h"
#include "platform/PlenovaError.h"
#include "platform/Profile.h"
#include "platform/RecoveryFile.h"
#include "platform/TerminalText.h"
#include "platform_widgets/CSizingControlBar.h"
#include "platform_widgets/FileDialog.h"
#include "platform_widgets/UserMessage.h"
#include "screen_designer/CFmtpantallaFrm.h"
#include "shell/CAboutDlg.h"
#include "shell/CHelpWindow.h"
#include "shell/CMdiClient.h"
#include "shell/CPlenovaApp.h"
#include "shell/WindowMenu.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QScrollBar>
#include <QStyle>
#include <QTextStream>

#include <algorithm>
#include <optional>

CMainFrame::CMainFrame(const QString& defaultFolder, QWidget* parent)
    : QMainWindow(parent), m_defaultFolder(defaultFolder), m_mdiArea(new CMdiClient),
      m_windowMenu(new WindowMenu(m_mdiArea, this)), m_commands(this, true),
      m_printer(PrinterSettings::MakePrinter()) {
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    MakeMenu();
    ShowMenusOf(nullptr);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::ShowMenusOf);
    MakeAccessBar();
    setWindowTitle(QStringLiteral("PLENOVA "));
}

CMainFrame::~CMainFrame() {
    // The commands that follow the bar go before it does.
    disconnect(m_accessBarDock, &QDockWidget::visibilityChanged, nullptr, nullptr);
    // Nothing of the frame's is running any more: the windows go at once, while the frame they
    // report to is still whole.
    DeleteChildren();
    // The main menu is shown in the menu bar only while no child is active.
    menuBar()->clear();
    qDeleteAll(m_menus);
}

void CMainFrame::MakeMenu() {
    using enum CommandId;
    const auto separator = WindowCommands::MenuEntry::Separator();
    m_menus = {
        m_commands.MakeMenu("&Archivo",
                            {NewDesign, NewFromTemplate,
                             WindowCommands::MenuEntry::Submenu(
                                 "&Abrir", {OpenForDesign, OpenForScreenDesign, OpenForCapture}),
                             PrintSetup, separator, Exit}),
        m_commands.MakeMenu("&Ver", {AccessBar}),
        m_commands.MakeMenu("Ay&uda", {About, Help}),
    };
    // The standard keys (Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+P, the clipboard's and undo's, F6) open no
    // document here: the application has no documents of its own, each child window reads and
    // writes its own file. They are left unbound rather than bound to nothing, so the keys the
    // child windows give them (the designer's undo and redo) stay theirs alone.

    const auto on = [this](CommandId id, auto slot) {
        connect(m_commands.Add(id), &QAction::triggered, this, slot);
    };
    on(NewDesign, &CMainFrame::NewDesign);
    on(NewFromTemplate, &CMainFrame::NewFromTemplate);
    on(OpenForDesign, &CMainFrame::OpenDesignDialog);
    on(OpenForCapture, &CMainFrame::OpenCaptureDialog);
    on(OpenForScreenDesign, &CMainFrame::OpenScreenDesignDialog);
    on(PrintSetup, [this] {
        try {
            PrinterDialogs::SetUpPage(*m_printer, this);
        } catch (const FileError& e) {
            ShowMessage(e.Message());
        }
    });
    on(Exit, &QWidget::close);
    on(About, &CMainFrame::ShowAbout);
    on(Help, &CMainFrame::ShowHelp);
    // F1 asks for help wherever the focus is, whichever window's menu shows.
    on(HelpKey, &CMainFrame::ShowHelp);
}

void CMainFrame::ConnectApplicationCommands(QAction* exit, QAction* about, QAction* help,
                                            QAction* accessBar) {
    connect(exit, &QAction::triggered, this, &QWidget::close);
    connect(about, &QAction::triggered, this, &CMainFrame::ShowAbout);
    help->setEnabled(true);
    connect(help, &QAction::triggered, this, &CMainFrame::ShowHelp);
    ConnectAccessBarCommand(accessBar);
}

void CMainFrame::ShowHelp() {
    if (!m_help)
        m_help = new CHelpWindow(this);
    m_help->ShowContents();
}

void CMainFrame::ShowMenusOf(QMdiSubWindow* child) {
    menuBar()->clear();
    QList<QMenu*> menus = m_menus;
    if (auto* capture = qobject_cast<CFmtcapturaFrm*>(child))
        menus = capture->Menus();
    else if (auto* design = qobject_cast<CFmtdesignFrm*>(child))
        menus = design->Menus();
    else if (auto* screen = qobject_cast<CFmtpantallaFrm*>(child))
        menus = screen->Menus();
    // "Ventana" stands before the help menu while there is a window to go to.
    if (child && !menus.isEmpty())
        menus.insert(menus.size() - 1, m_windowMenu->Menu());
    for (QMenu* menu : std::as_const(menus))
        menuBar()->addMenu(menu);
}

void CMainFrame::childCaptionChanged(QMdiSubWindow* child) {
    m_captionChild = child;
    setWindowTitle(QStringLiteral("PLENOVA %1").arg(child->windowTitle()));
}

void CMainFrame::CaptionAfterClose() {
    if (m_captionChild)
        return;
    if (QMdiSubWindow* front = m_mdiArea->activeSubWindow())
        childCaptionChanged(front);
    else
        setWindowTitle(QStringLiteral("PLENOVA "));
}

void CMainFrame::AddChild(QMdiSubWindow* child) {
    m_mdiArea->addSubWindow(child);
    // Once the window is gone, not while it is going: the area still lists it then.
    connect(child, &QObject::destroyed, this, &CMainFrame::CaptionAfterClose, Qt::QueuedConnection);
}

void CMainFrame::ShowChild(QMdiSubWindow* child) {
    const QList<QMdiSubWindow*> stacked = m_mdiArea->subWindowList(QMdiArea::StackingOrder);
    // The area maximizes a window that takes the activation from a maximized one, as one not
    // shown yet does when its screen takes the focus; the one in front is then restored. Sized
    // while maximized, the window is restored at that size and maximized again over the area.
    const bool maximized =
        child->isMaximized() ||
        std::any_of(stacked.begin(), stacked.end(), [child](const QMdiSubWindow* other) {
            return other != child && other->isVisible() && other->isMaximized();
        });
    if (child->isMaximized()) {
        const QSize size = child->size();
        child->setWindowState(child->windowState() & ~Qt::WindowMaximized);
        child->resize(size);
    }
    if (maximized) {
        child->showMaximized();
        return;
    }
    const QSize room = m_mdiArea->viewport()->size();
    QPoint place(0, 0);
    // The window in front is the top one of the others: the new window may have taken the
    // activation already, when its screen gave one of its fields the focus.
    const auto front =
        std::find_if(stacked.rbegin(), stacked.rend(), [child](const QMdiSubWindow* other) {
            return other != child && other->isVisible() && !other->isMinimized();
        });
    if (front != stacked.rend()) {
        const int step = child->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, child);
        place = (*front)->pos() + QPoint(step, step);
    }
    if (place.x() < 0 || place.y() < 0 || place.x() + child->width() > room.width() ||
        place.y() + child->height() > room.height())
        place = QPoint(0, 0);
    child->move(place);
    child->show();
}

QString CMainFrame::AskForFormat() {
    FileDialog::Request request;
    request.filters = {QStringLiteral("Plenova (*.fmt)")};
    request.defaultSuffix = QStringLiteral("fmt");
    request.start = m_defaultFolder;
    return FileDialog::Ask(this, request);
}

void CMainFrame::OpenCaptureDialog() {
    const QString path = AskForFormat();
    if (!path.isEmpty())
        OpenForCapture(path);
}

void CMainFrame::OpenScreenDesignDialog() {
    const QString path = AskForFormat();
    if (!path.isEmpty())
        OpenForScreenDesign(path);
}

void CMainFrame::RememberFormat(const QString& path) {
    Profile profile;
    CPlenovaApp::AddRecentFormat(profile, path);
    m_accessBar->ReloadRecent();
}

CFmtcapturaFrm* CMainFrame::OpenForCapture(const QString& path) {
    auto* frame = new CFmtcapturaFrm;
    frame->SetPrinter(m_printer);
    frame->SetMessenger([this](const QString& message) { ShowMessage(message); });
    connect(frame, &CFmtcapturaFrm::captionChanged, this, &CMainFrame::childCaptionChanged);
    connect(frame, &CFmtcapturaFrm::formatOpened, this, &CMainFrame::RememberFormat);
    connect(frame->CommandAction(CommandId::OpenForCapture), &QAction::triggered, this,
            &CMainFrame::OpenCaptureDialog);
    ConnectApplicationCommands(
        frame->CommandAction(CommandId::Exit), frame->CommandAction(CommandId::About),
        frame->CommandAction(CommandId::Help), frame->CommandAction(CommandId::AccessBar));
    AddChild(frame);

    bool opened = true;
    try {
        const QStringList warnings = frame->OpenFormat(path);
        for (const QString& warning : warnings)
            ShowMessage(warning);
    } catch (const PlenovaError& e) {
        ShowMessage(e.Message());
        opened = false;
    }
    frame->FitToScreen(m_mdiArea->viewport()->size());
    ShowChild(frame);
    return opened ? frame : nullptr;
}

DocumentLock::Asker CMainFrame::ReadOnlyUnasked() {
    // Nobody is there to choose: a format someone else has open is only looked at, which harms
    // nobody, and the run says so.
    return [this](const QString& message, bool) {
        ShowMessage(message + QStringLiteral(" Se abre de solo lectura."));
        return DocumentLock::Answer::ReadOnly;
    };
}

CFmtdesignFrm* CMainFrame::MakeDesign() {
    auto* frame = new CFmtdesignFrm;
    frame->SetMessenger([this](const QString& message) { ShowMessage(message); });
    // Nobody is there to type a protected format's key: the opening fails and says why, rather
    // than waiting for ever on a question nobody sees.
    if (m_asksNothing) {
        frame->SetKeyAsker([this]() -> std::optional<QString> {
            ShowMessage(QStringLiteral(
                "El formato está protegido con una clave de acceso, que sin nadie frente a la "
                "pantalla no se puede preguntar"));
            return std::nullopt;
        });
        frame->SetLockAsker(ReadOnlyUnasked());
    }
    connect(frame, &CFmtdesignFrm::captionChanged, this, &CMainFrame::childCaptionChanged);
    connect(frame, &CFmtdesignFrm::recentFormat, this, &CMainFrame::RememberFormat);
    connect(frame->CommandAction(CommandId::NewDesign), &QAction::triggered, this,
            &CMainFrame::NewDesign);
    connect(frame->CommandAction(CommandId::NewFromTemplate), &QAction::triggered, this,
            &CMainFrame::NewFromTemplate);
    connect(frame, &CFmtdesignFrm::proofPreviewRequested, this, &CMainFrame::PreviewProof);
    connect(frame, &CFmtdesignFrm::proofPdfRequested, this, &CMainFrame::ExportProofPdf);
    ConnectApplicationCommands(
        frame->CommandAction(CommandId::Exit), frame->CommandAction(CommandId::About),
        frame->CommandAction(CommandId::Help), frame->CommandAction(CommandId::AccessBar));
    AddChild(frame);
    frame->resize(m_mdiArea->viewport()->size() * 9 / 10);
    return frame;
}

CFmtdesignFrm* CMainFrame::NewDesign() {
    CFmtdesignFrm* frame = MakeDesign();
    ShowChild(frame);
    frame->UpdateTitle();
    return frame;
}

CFmtdesignFrm* CMainFrame::NewFromTemplate() {
    const QString path = m_chooseTemplate ? m_chooseTemplate() : TemplateDialog::Ask(this);
    return path.isEmpty() ? nullptr : OpenTemplate(path);
}

bool CMainFrame::PreviewProof(CFmtdesignFrm* frame) {
    const DesignDocument& doc = frame->Document();
    try {
        const FormatProof proof(doc.Bytes(), doc.Plenova(), doc.Path());
        return proof.Preview(*m_printer, frame);
    } catch (const PlenovaError& e) {
        ShowMessage(e.Message());
        return false;
    }
}

bool CMainFrame::ExportProofPdf(CFmtdesignFrm* frame, const QString& path) {
    const DesignDocument& doc = frame->Document();
    try {
        const FormatProof proof(doc.Bytes(), doc.Plenova(), doc.Path());
        proof.ExportPdf(*m_printer, path);
        return true;
    } catch (const PlenovaError& e) {
        ShowMessage(e.Message());
        return false;
    }
}

CFmtdesignFrm* CMainFrame::OpenTemplate(const QString& path) {
    return DesignWith([&path](CFmtdesignFrm& frame) { return frame.OpenTemplate(path); });
}

CFmtdesignFrm* CMainFrame::OpenDesignDialog() {
    CFmtdesignFrm* frame = NewDesign();
    frame->OpenFormatDialog();
    return frame;
}

CFmtdesignFrm* CMainFrame::OpenForDesign(const QString& path) {
    return DesignWith([&path](CFmtdesignFrm& frame) { return frame.OpenFormat(path); });
}

CFmtdesignFrm* CMainFrame::DesignWith(const std::function<bool(CFmtdesignFrm&)>& load) {
    // The window shows only with the format: a key refused or a file that cannot be read leaves
    // nothing behind. It has shown nothing yet, so nothing of it is running.
    CFmtdesignFrm* frame = MakeDesign();
    if (!load(*frame)) {
        m_mdiArea->removeSubWindow(frame);
        delete frame;
        return nullptr;
    }
    ShowChild(frame);
    frame->UpdateTitle();
    return frame;
}

CFmtpantallaFrm* CMainFrame::OpenForScreenDesign(const QString& path) {
    return ScreenDesignWith(
        [&path](CFmtpantallaFrm& frame) { return frame.OpenScreenLayout(path); });
}

CFmtdesignFrm* CMainFrame::RecoverDesign(const RecoveryFile& file) {
    return DesignWith([&file](CFmtdesignFrm& frame) { return frame.Recover(file); });
}

CFmtpantallaFrm* CMainFrame::RecoverScreenDesign(const RecoveryFile& file) {
    return ScreenDesignWith([&file](CFmtpantallaFrm& frame) { return frame.Recover(file); });
}

CFmtcapturaFrm* CMainFrame::RecoverCapture(const RecoveryFile& file) {
    CFmtcapturaFrm* frame = OpenForCapture(file.formatPath);
    return frame && frame->RecoverValues(file) ? frame : nullptr;
}

CFmtpantallaFrm* CMainFrame::ScreenDesignWith(const std::function<bool(CFmtpantallaFrm&)>& load) {
    auto* frame = new CFmtpantallaFrm;
    frame->SetMessenger([this](const QString& message) { ShowMessage(message); });
    if (m_asksNothing)
        frame->SetLockAsker(ReadOnlyUnasked());
    connect(frame, &CFmtpantallaFrm::captionChanged, this, &CMainFrame::childCaptionChanged);
    connect(frame, &CFmtpantallaFrm::formatOpened, this, &CMainFrame::RememberFormat);
    connect(frame->CommandAction(CommandId::OpenForScreenDesign), &QAction::triggered, this,
            &CMainFrame::OpenScreenDesignDialog);
    ConnectApplicationCommands(
        frame->CommandAction(CommandId::Exit), frame->CommandAction(CommandId::About),
        frame->CommandAction(CommandId::Help), frame->CommandAction(CommandId::AccessBar));
    // The window exists only for a format it holds.
    if (!load(*frame)) {
        delete frame;
        return nullptr;
    }
    AddChild(frame);
    frame->FitToScreen(m_mdiArea->viewport()->size());
    ShowChild(frame);
    frame->UpdateTitle();
    return frame;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    for (QMdiSubWindow* child : m_mdiArea->subWindowList()) {
        auto* design = qobject_cast<CFmtdesignFrm*>(child);
        auto* screen = qobject_cast<CFmtpantallaFrm*>(child);
        auto* capture = qobject_cast<CFmtcapturaFrm*>(child);
        if (!design && !screen && !capture)
            continue;
        m_mdiArea->setActiveSubWindow(child);
        const bool mayClose = design   ? design->MayClose()
                              : screen ? screen->MayClose()
                                       : capture->MayDiscardValues();
        if (!mayClose) {
            event->ignore();
            return;
        }
    }
    // Every question is answered: the windows go without asking again.
    CloseAllChildren();
    QMainWindow::closeEvent(event);
}

void CMainFrame::CloseAllChildren() {
    // Each stays in the area until it goes, so that a frame deleted first takes it along.
    for (QMdiSubWindow* child : m_mdiArea->subWindowList())
        child->deleteLater();
}

void CMainFrame::DeleteChildren() {
    for (QMdiSubWindow* child : m_mdiArea->subWindowList()) {
        m_mdiArea->removeSubWindow(child);
        delete child;
    }
}

void CMainFrame::ShowMessage(const QString& message) {
    if (m_unattended) {
        QTextStream(stderr) << TerminalText::Escaped(message) << '\n';
        return;
    }
    QMessageBox::warning(this, UserMessage::Title(), message);
}

void CMainFrame::ShowAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::MakeAccessBar() {
    m_accessBar = new CAccessBar;
    m_accessBar->SetMessenger([this](const QString& message) { ShowMessage(message); });
    m_accessBarDock = new CSizingControlBar(QStringLiteral("Accesos"), m_accessBar, this);
    m_accessBarDock->setObjectName(QStringLiteral("accessBar"));
    m_accessBarDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                                 QDockWidget::DockWidgetFloatable);
    m_accessBarDock->setAllowedAreas(Qt::LeftDockWidgetArea);
    addDockWidget(Qt::LeftDockWidgetArea, m_accessBarDock);
    // Its close box puts the panel away; "Barra de acceso" brings it back.
    connect(m_accessBarDock, &CSizingControlBar::closeRequested, m_accessBarDock, &QWidget::hide);
    connect(m_accessBar, &CAccessBar::newFormatRequested, this, &CMainFrame::NewDesign);
    connect(m_accessBar, &CAccessBar::openRequested, this, &CMainFrame::OpenFromAccessBar);
    m_accessBar->OpenFolder(m_defaultFolder);
    ConnectAccessBarCommand(m_commands.Action(CommandId::AccessBar));
}

void CMainFrame::ConnectAccessBarCommand(QAction* command) {
    command->setEnabled(true);
    command->setChecked(!m_accessBarDock->isHidden());
    // Triggered on a shown bar, a checkable command unticks itself: tick it again.
    connect(command, &QAction::triggered, this, [this, command] {
        ShowAccessBar();
        command->setChecked(true);
    });
    // Ticked while the bar is there, however it came or went.
    connect(m_accessBarDock, &QDockWidget::visibilityChanged, command,
            [this, command] { command->setChecked(!m_accessBarDock->isHidden()); });
}

void CMainFrame::ShowAccessBar() {
    // The bar docks only on the left: back from floating it goes there.
    m_accessBarDock->setFloating(false);
    m_accessBarDock->show();
}

void CMainFrame::OpenFromAccessBar(CAccessBar::Target target, const QString& path) {
    switch (target) {
    case CAccessBar::Target::Design:
        OpenForDesign(path);
        break;
    case CAccessBar::Target::Capture:
        OpenForCapture(path);
        break;
    case CAccessBar::Target::Screen:
        OpenForScreenDesign(path);
        break;
    }
}

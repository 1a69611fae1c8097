#include "screen_designer/CFmtpantallaFrm.h"

#include "commands/DesignerPictures.h"
#include "platform/PlenovaError.h"
#include "platform/RecoveryFile.h"
#include "platform/RecoveryKeeper.h"
#include "platform_widgets/FileDialog.h"
#include "platform_widgets/LockKeyIndicators.h"
#include "platform_widgets/UserMessage.h"
#include "platform_widgets/ZoomBox.h"
#include "screen_designer/CFmtpantallaView.h"
#include "screen_designer/ScreenDocument.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>

#include <optional>
#include <utility>

CFmtpantallaFrm::CFmtpantallaFrm(QWidget* parent)
    : QMdiSubWindow(parent), m_document(new ScreenDocument(this)),
      m_recovery(new RecoveryKeeper(
          [this]() -> std::optional<RecoveryFile> {
              if (!m_document->IsModified())
                  return std::nullopt;
              RecoveryFile file;
              file.window = RecoveryFile::Window::Screen;
              file.formatPath = m_document->Path();
              file.state = m_document->Bytes();
              return file;
          },
          this)),
      m_body(new QMainWindow), m_view(new CFmtpantallaView(*m_document)), m_commands(this),
      m_lock(this) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_body->setWindowFlags(Qt::Widget);
    MakeCommands();
    MakeMenus();
    MakeToolBar();
    MakeStatusBar();
    m_body->setCentralWidget(m_view);
    setWidget(m_body);
    connect(this, &QMdiSubWindow::aboutToActivate, this, &CFmtpantallaFrm::UpdateTitle);
    connect(m_document, &ScreenDocument::changed, this, &CFmtpantallaFrm::UpdateCommands);
    connect(m_document, &ScreenDocument::selectionChanged, this, &CFmtpantallaFrm::UpdateCommands);
    connect(m_document, &ScreenDocument::orderModeChanged, this, &CFmtpantallaFrm::UpdateCommands);
    connect(m_document, &ScreenDocument::pathChanged, this, &CFmtpantallaFrm::UpdateTitle);
    m_recovery->Follow(m_document->UndoStack());
    connect(&m_document->UndoStack(), &QUndoStack::cleanChanged, this,
            &CFmtpantallaFrm::UpdateTitle);
    UpdateCommands();
    UpdateTitle();
}

CFmtpantallaFrm::~CFmtpantallaFrm() {
    // The document is a child, deleted after this body has gone: the undo stack it clears then
    // must no longer reach this window's caption.
    disconnect(&m_document->UndoStack(), nullptr, this, nullptr);
    // The menus live in the main frame's menu bar while the window is active.
    qDeleteAll(m_menus);
}

void CFmtpantallaFrm::MakeCommands() {
    m_commands.AddUndo(m_document->UndoStack());
    ScreenDocument& doc = *m_document;
    const auto on = [this](CommandId id, auto slot) {
        connect(m_commands.Add(id), &QAction::triggered, this, slot);
    };
    on(CommandId::SaveScreen, [this] { Save(); });
    // The window goes at once; a window with changes asks first.
    on(CommandId::CloseScreen, [this] { close(); });
    on(CommandId::CaptionAbove, [&doc] { doc.SetCaptionLeft(false); });
    on(CommandId::CaptionLeft, [&doc] { doc.SetCaptionLeft(true); });
    on(CommandId::CaptureOrder, [&doc] { doc.ToggleOrderMode(); });
}

void CFmtpantallaFrm::MakeMenus() {
    using enum CommandId;
    const auto separator = WindowCommands::MenuEntry::Separator();
    m_menus = {
        m_commands.MakeMenu("&Archivo",
                            {OpenForScreenDesign, SaveScreen, CloseScreen, separator, Exit}),
        m_commands.MakeMenu("&Edición", {Undo, Redo}),
        m_commands.MakeMenu("&Ver", {AccessBar}),
        m_commands.MakeMenu("&Formato", {CaptionAbove, CaptionLeft, CaptureOrder}),
        m_commands.MakeMenu("A&yuda", {About, Help}),
    };
}

void CFmtpantallaFrm::MakeToolBar() {
    m_toolBar = new QToolBar(QStringLiteral("Pantalla"), m_body);
    m_toolBar->setObjectName(QStringLiteral("toolBar148"));
    m_toolBar->setIconSize(QSize(DesignerPictures::kToolWidth, DesignerPictures::kToolHeight));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    using enum CommandId;
    const auto separator = WindowCommands::ToolButton::Separator();
    m_commands.FillToolBar(m_toolBar, {OpenForScreenDesign, SaveScreen, separator, CaptionLeft,
                                       CaptionAbove, CaptureOrder, separator, About});
    // Zoom only changes how the arrangement is looked at; the box follows the view.
    m_toolBar->addSeparator();
    m_zoomBox = new ZoomBox(m_toolBar);
    m_toolBar->addWidget(m_zoomBox);
    connect(m_zoomBox, &ZoomBox::zoomChosen, m_view, &CFmtpantallaView::SetZoom);
    connect(m_zoomBox, &ZoomBox::fitChosen, m_view, &CFmtpantallaView::FitArrangement);
    connect(m_view, &CFmtpantallaView::zoomChanged, m_zoomBox, &ZoomBox::ShowPercent);
    // The arrangement takes the keys again once a zoom is chosen.
    connect(m_zoomBox, &ZoomBox::zoomChosen, m_view, [this] { m_view->setFocus(); });
    connect(m_zoomBox, &ZoomBox::fitChosen, m_view, [this] { m_view->setFocus(); });
    m_body->addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CFmtpantallaFrm::MakeStatusBar() {
    m_statusBar = new QStatusBar(m_body);
    LockKeyIndicators::AddTo(*m_statusBar);
    m_body->setStatusBar(m_statusBar);
    m_commands.ShowPromptsIn(m_statusBar);
}

void CFmtpantallaFrm::UpdateCommands() {
    const bool selected = m_document->Selected() != nullptr;
    m_commands.Action(CommandId::CaptionAbove)->setEnabled(selected);
    m_commands.Action(CommandId::CaptionLeft)->setEnabled(selected);
    m_commands.Action(CommandId::CaptureOrder)->setChecked(m_document->IsOrderMode());
    m_view->viewport()->update();
}

void CFmtpantallaFrm::Tell(const QString& message) {
    if (m_tell)
        m_tell(message);
    else
        UserMessage::Error(message);
}

QString CFmtpantallaFrm::ChooseCopy() {
    if (m_chooseFile)
        return m_chooseFile();
    FileDialog::Request request;
    request.mode = FileDialog::Mode::Save;
    request.filters = {QStringLiteral("Plenova (*.fmt)")};
    request.defaultSuffix = QStringLiteral("fmt");
    request.start = m_document->Path();
    return FileDialog::Ask(this, request);
}

bool CFmtpantallaFrm::OpenScreenLayout(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!m_lock.Open(
            absolute, [&] { return m_document->Open(absolute); },
            [this](const QString& message) { Tell(message); }))
        return false;
    UpdateTitle();
    emit formatOpened(m_document->Path());
    return true;
}

bool CFmtpantallaFrm::Recover(const RecoveryFile& file) {
    // What comes back is the format at its path: locked as an opening would lock it.
    if (!m_lock.Open(
            file.formatPath, [&] { return m_document->Recover(file.formatPath, file.state); },
            [this](const QString& message) { Tell(message); }))
        return false;
    UpdateTitle();
    // Kept again at once: the file it came from goes once every window is back.
    m_recovery->Keep();
    return true;
}

bool CFmtpantallaFrm::Save() {
    if (m_document->Path().isEmpty())
        return false;
    // Someone else is arranging this format: the arrangement goes into a copy.
    QString path = m_document->Path();
    if (m_lock.IsReadOnly()) {
        const QString copy = ChooseCopy();
        if (copy.isEmpty())
            return false;
        path = QFileInfo(copy).absoluteFilePath();
    }
    QString refusal;
    std::optional<DocumentLock::Claim> claim = m_lock.ClaimForSaving(path, refusal);
    if (!claim) {
        Tell(refusal);
        return false;
    }
    try {
        const QStringList warnings =
            path == m_document->Path() ? m_document->Save() : m_document->SaveAs(path);
        for (const QString& warning : warnings)
            Tell(warning);
    } catch (const PlenovaError& e) {
        Tell(e.Message());
        return false;
    }
    m_lock.Keep(std::move(*claim));
    UpdateTitle();
    return true;
}

bool CFmtpantallaFrm::MayClose() {
    return ::SaveQuestion::MayLoseChanges(this, m_document->IsModified(),
                                          QFileInfo(m_document->Path()).fileName(), m_askSave,
                                          [this] { return Save(); });
}

void CFmtpantallaFrm::closeEvent(QCloseEvent* event) {
    if (!MayClose()) {
        event->ignore();
        return;
    }
    m_lock.Release();
    QMdiSubWindow::closeEvent(event);
}

void CFmtpantallaFrm::UpdateTitle() {
    const QString& path = m_document->Path();
    // A star says there are changes to save, as after bringing back what a crash left unsaved.
    QString title = QStringLiteral("Diseño de pantalla - %1%2")
                        .arg(path.isEmpty() ? QStringLiteral("(nuevo)") : path,
                             m_document->IsModified() ? QStringLiteral(" *") : QString());
    if (m_lock.IsReadOnly())
        title += QStringLiteral(" (solo lectura)");
    setWindowTitle(title);
    emit captionChanged(this);
}

void CFmtpantallaFrm::FitToScreen(const QSize& room) {
    const QSize arrangement = m_view->ArrangementSize();
    const int frame = 2 * m_view->frameWidth();
    const QSize body(arrangement.width() + frame, arrangement.height() + frame +
                                                      m_toolBar->sizeHint().height() +
                                                      m_statusBar->sizeHint().height());
    const QSize decoration = (sizeHint() - m_body->sizeHint()).expandedTo(QSize(0, 0));
    resize((body + decoration).boundedTo(room).expandedTo(minimumSizeHint()));
}

void CFmtpantallaFrm::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    // Shown among the other windows, the arrangement takes the keys, not the first box of a toolbar
    // nor a panel of the main window.
    if (!event->spontaneous())
        m_view->setFocus();
}

void CFmtpantallaFrm::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    UpdateTitle();
}

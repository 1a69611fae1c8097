#include "screen_designer/CFmtpantallaFrm.h"

#include "designer/DesignerPictures.h"
#include "designer/ZoomBox.h"
#include "platform/PlenovaError.h"
#include "platform_widgets/LockKeyIndicators.h"
#include "platform_widgets/UndoActions.h"
#include "platform_widgets/UserMessage.h"
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

namespace {

// The status prompt and the tool tip of each command: the two halves of its string.
struct CommandText {
    CFmtpantallaFrm::Command id;
    const char* text;
    const char* prompt;
    const char* tip;
};

const CommandText kCommandTexts[] = {
    {CFmtpantallaFrm::OpenScreenCommand, "&Abrir formato para edición de pantalla",
     "Abre un formato para editar la posición de los controles en la pantalla de captura",
     "Abrir pantalla"},
    {CFmtpantallaFrm::SaveCommand, "&Guardar formato", "Guarda la disposición en pantalla",
     "Guardar"},
    {CFmtpantallaFrm::CloseCommand, "&Cerrar formato", "Cierra el documento", "Cerrar"},
    {CFmtpantallaFrm::ExitCommand, "&Salir",
     "Sale de la aplicación; le pide que guarde los documentos", "Salir"},
    {CFmtpantallaFrm::AccessBarCommand, "Barra de acceso", "Despliega la barra de acceso",
     "Acceso"},
    {CFmtpantallaFrm::CaptionAboveCommand, "Título &arriba",
     "Pone el título del control en su parte superior", "Arriba"},
    {CFmtpantallaFrm::CaptionLeftCommand, "Título a un &lado",
     "Pone el título del control en su costado izquierdo", "A un lado"},
    {CFmtpantallaFrm::CaptureOrderCommand, "&Orden de captura", "Determina el orden de captura",
     "Orden de captura"},
    {CFmtpantallaFrm::AboutCommand, "&Acerca de Plenova...", "Muestra la información del programa",
     "Acerca de"},
    {CFmtpantallaFrm::HelpCommand, "&Contenido", "Despliega el sistema de ayuda", "Ayuda"},
};

} // namespace

CFmtpantallaFrm::CFmtpantallaFrm(QWidget* parent)
    : QMdiSubWindow(parent), m_document(new ScreenDocument(this)), m_body(new QMainWindow),
      m_view(new CFmtpantallaView(*m_document)) {
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
    UpdateCommands();
    UpdateTitle();
}

CFmtpantallaFrm::~CFmtpantallaFrm() {
    // The menus live in the main frame's menu bar while the window is active.
    qDeleteAll(m_menus);
}

QAction* CFmtpantallaFrm::AddCommand(QMenu* menu, Command id, const QString& text,
                                     const QString& prompt, const QString& tip) {
    auto* action = new QAction(text, this);
    action->setData(static_cast<int>(id));
    action->setStatusTip(prompt);
    action->setToolTip(tip);
    connect(action, &QAction::hovered, this,
            [this, action] { m_statusBar->showMessage(action->statusTip()); });
    m_actions.insert(id, action);
    if (menu)
        menu->addAction(action);
    return action;
}

void CFmtpantallaFrm::MakeCommands() {
    for (const CommandText& command : kCommandTexts)
        AddCommand(nullptr, command.id, QString::fromUtf8(command.text),
                   QString::fromUtf8(command.prompt), QString::fromUtf8(command.tip));
    m_actions.value(CaptureOrderCommand)->setCheckable(true);

    const auto [undo, redo] = UndoActions::Make(m_document->UndoStack(), this);
    m_actions.insert(UndoCommand, undo);
    m_actions.insert(RedoCommand, redo);
    QAction* save = m_actions.value(SaveCommand);
    save->setShortcut(QKeySequence::Save);
    // The shortcut works wherever the focus is inside the window.
    save->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(save);

    ScreenDocument& doc = *m_document;
    const auto on = [this](Command id, auto slot) {
        connect(m_actions.value(id), &QAction::triggered, this, slot);
    };
    on(SaveCommand, [this] { Save(); });
    // The window goes at once; a window with changes asks first.
    on(CloseCommand, [this] { close(); });
    on(CaptionAboveCommand, [&doc] { doc.SetCaptionLeft(false); });
    on(CaptionLeftCommand, [&doc] { doc.SetCaptionLeft(true); });
    on(CaptureOrderCommand, [&doc] { doc.ToggleOrderMode(); });
}

void CFmtpantallaFrm::MakeMenus() {
    auto* file = new QMenu(QStringLiteral("&Archivo"));
    for (Command id : {OpenScreenCommand, SaveCommand, CloseCommand})
        file->addAction(m_actions.value(id));
    file->addSeparator();
    file->addAction(m_actions.value(ExitCommand));

    auto* edit = new QMenu(QStringLiteral("&Edición"));
    edit->addAction(m_actions.value(UndoCommand));
    edit->addAction(m_actions.value(RedoCommand));

    auto* view = new QMenu(QStringLiteral("&Ver"));
    view->addAction(m_actions.value(AccessBarCommand));

    auto* format = new QMenu(QStringLiteral("&Formato"));
    for (Command id : {CaptionAboveCommand, CaptionLeftCommand, CaptureOrderCommand})
        format->addAction(m_actions.value(id));

    auto* help = new QMenu(QStringLiteral("A&yuda"));
    help->addAction(m_actions.value(AboutCommand));
    help->addAction(m_actions.value(HelpCommand));

    m_menus = {file, edit, view, format, help};
    for (QMenu* menu : std::as_const(m_menus))
        connect(menu, &QMenu::aboutToHide, this, [this] { m_statusBar->clearMessage(); });
}

void CFmtpantallaFrm::MakeToolBar() {
    m_toolBar = new QToolBar(QStringLiteral("Pantalla"), m_body);
    m_toolBar->setObjectName(QStringLiteral("toolBar148"));
    m_toolBar->setIconSize(QSize(DesignerPictures::kToolWidth, DesignerPictures::kToolHeight));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    // "Guardar" shows the same diskette as in the format designer.
    const std::pair<Command, int> buttons[] = {
        {OpenScreenCommand, OpenScreenCommand},     {SaveCommand, 32773},
        {CaptionLeftCommand, CaptionLeftCommand},   {CaptionAboveCommand, CaptionAboveCommand},
        {CaptureOrderCommand, CaptureOrderCommand}, {AboutCommand, AboutCommand},
    };
    for (const auto& [id, picture] : buttons) {
        if (id == CaptionLeftCommand || id == AboutCommand)
            m_toolBar->addSeparator();
        QAction* command = m_actions.value(id);
        command->setIcon(DesignerPictures::ToolIcon(picture));
        m_toolBar->addAction(command);
    }
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
}

void CFmtpantallaFrm::UpdateCommands() {
    const bool selected = m_document->Selected() != nullptr;
    m_actions.value(CaptionAboveCommand)->setEnabled(selected);
    m_actions.value(CaptionLeftCommand)->setEnabled(selected);
    m_actions.value(CaptureOrderCommand)->setChecked(m_document->IsOrderMode());
    m_view->viewport()->update();
}

void CFmtpantallaFrm::Tell(const QString& message) {
    if (m_tell)
        m_tell(message);
    else
        UserMessage::Error(message);
}

bool CFmtpantallaFrm::OpenScreenLayout(const QString& path) {
    try {
        const QStringList warnings = m_document->Open(QFileInfo(path).absoluteFilePath());
        for (const QString& warning : warnings)
            Tell(warning);
    } catch (const PlenovaError& e) {
        Tell(e.Message());
        return false;
    }
    // The document's own signals have set the caption and the commands.
    emit formatOpened(m_document->Path());
    return true;
}

bool CFmtpantallaFrm::Save() {
    if (m_document->Path().isEmpty())
        return false;
    try {
        const QStringList warnings = m_document->Save();
        for (const QString& warning : warnings)
            Tell(warning);
    } catch (const PlenovaError& e) {
        Tell(e.Message());
        return false;
    }
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
    QMdiSubWindow::closeEvent(event);
}

void CFmtpantallaFrm::UpdateTitle() {
    const QString& path = m_document->Path();
    setWindowTitle(QStringLiteral("Diseño de pantalla - %1")
                       .arg(path.isEmpty() ? QStringLiteral("(nuevo)") : path));
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

#include "designer/CFmtdesignFrm.h"

#include "designer/AccessCheck.h"
#include "designer/AccessKeyDialog.h"
#include "designer/CFmtdesignView.h"
#include "designer/CRulerCornerView.h"
#include "designer/CRules.h"
#include "designer/DesignDocument.h"
#include "designer/DesignerPictures.h"
#include "designer/FontChoice.h"
#include "designer/FormatSettingsDialog.h"
#include "designer/PropertiesDialog.h"
#include "designer/TwoPointPicker.h"
#include "designer/ZoomBox.h"
#include "model/CControles.h"
#include "model/ReferenceBackdrop.h"
#include "platform/PlenovaError.h"
#include "platform_widgets/CSizingControlBar.h"
#include "platform_widgets/FileDialog.h"
#include "platform_widgets/LockKeyIndicators.h"
#include "platform_widgets/PdfPageTool.h"
#include "platform_widgets/SaveQuestion.h"
#include "platform_widgets/UndoActions.h"
#include "platform_widgets/UserMessage.h"

#include <QAction>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDockWidget>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolBar>

#include <cmath>
#include <utility>

namespace {

constexpr int kRulerWidth = 16;

// The insertion tools and the control type each one inserts.
struct InsertionTool {
    CFmtdesignFrm::Command id;
    ControlTypeCode type;
};

constexpr InsertionTool kInsertionTools[] = {
    {CFmtdesignFrm::InsertTextlineCommand, ControlTypeCode::TextlineVar},
    {CFmtdesignFrm::InsertParagraphCommand, ControlTypeCode::ParrafoVar},
    {CFmtdesignFrm::InsertDateCommand, ControlTypeCode::DateInput},
    {CFmtdesignFrm::InsertBoxesCommand, ControlTypeCode::CuadrosVar},
    {CFmtdesignFrm::InsertCheckMarkCommand, ControlTypeCode::MarcaVar},
    {CFmtdesignFrm::InsertTableCommand, ControlTypeCode::FmtGrid},
    {CFmtdesignFrm::InsertConstantTextCommand, ControlTypeCode::ConsText},
    {CFmtdesignFrm::InsertConstantParagraphCommand, ControlTypeCode::ConsParrafo},
    {CFmtdesignFrm::InsertImageCommand, ControlTypeCode::Imagen},
    {CFmtdesignFrm::InsertPictureCommand, ControlTypeCode::Imagen},
    {CFmtdesignFrm::InsertLineCommand, ControlTypeCode::Linea},
    {CFmtdesignFrm::InsertRectangleCommand, ControlTypeCode::Rectangulo},
    {CFmtdesignFrm::InsertLabelCommand, ControlTypeCode::Etiqueta},
};

// The status prompt and the tool tip of each command: the two halves of its string.
struct CommandText {
    CFmtdesignFrm::Command id;
    const char* prompt;
    const char* tip;
};

const CommandText kCommandTexts[] = {
    {CFmtdesignFrm::NewFormatCommand, "Crea un formato nuevo", "Nuevo formato"},
    {CFmtdesignFrm::OpenFormatCommand, "Abre un archivo de formato para su edición",
     "Abrir formato"},
    {CFmtdesignFrm::SaveCommand, "Guardar el formato", "Guardar"},
    {CFmtdesignFrm::SaveAsCommand, "Guardar el formato con otro nombre", "Guardar como"},
    {CFmtdesignFrm::CloseFormatCommand, "Cierra el formato", "Cerrar formato"},
    {CFmtdesignFrm::SettingsCommand, "Permite definir algunos parámetros generales del formato",
     "Configurar"},
    {CFmtdesignFrm::SnapMillimetreCommand, "Ancla el objeto seleccionado al milímetro",
     "Anclar mm"},
    {CFmtdesignFrm::SnapCentimetreCommand, "Ancla el objeto seleccionado al centímetro",
     "Anclar cm"},
    {CFmtdesignFrm::SelectToolCommand, "Herramienta de selección", "Seleccionar"},
    {CFmtdesignFrm::DeleteCommand, "Elimina el objeto seleccionado", "Borrar"},
    {CFmtdesignFrm::PropertiesCommand, "Despliega la ventana de propiedades", "Propiedades"},
    {CFmtdesignFrm::InsertTextlineCommand, "Inserta un control de captura de línea de texto",
     "Captura línea de texto"},
    {CFmtdesignFrm::InsertParagraphCommand, "Inserta un control de captura de párrafo",
     "Captura de párrafo"},
    {CFmtdesignFrm::InsertDateCommand, "Inserta un control de captura de fechas", "Fecha"},
    {CFmtdesignFrm::InsertBoxesCommand,
     "Inserta un control de captura de texto de un cuadro por letra", "Texto en cuadros"},
    {CFmtdesignFrm::InsertCheckMarkCommand,
     "Inserta un control de captura de marca de verificación", "Marca"},
    {CFmtdesignFrm::InsertTableCommand, "Inserta un control de captura de retícula", "Tabla"},
    {CFmtdesignFrm::InsertConstantTextCommand, "Inserta una línea de texto constante", "Texto"},
    {CFmtdesignFrm::InsertConstantParagraphCommand, "Inserta un párrafo de texto constante",
     "Párrafo constante"},
    {CFmtdesignFrm::InsertImageCommand, "Inserta una imagen desde un archivo de bitmap", "Imagen"},
    {CFmtdesignFrm::InsertPictureCommand, "Inserta una imagen desde un archivo", "Imagen"},
    {CFmtdesignFrm::InsertLineCommand, "Dibuja una línea", "Línea"},
    {CFmtdesignFrm::InsertRectangleCommand, "Dibuja un rectángulo", "Rectángulo"},
    {CFmtdesignFrm::InsertLabelCommand, "Inserta texto no imprimible", "Etiqueta"},
    {CFmtdesignFrm::FontCommand, "Selecciona el tipo de letra", "Fuente"},
    {CFmtdesignFrm::ColorCommand, "Selecciona el color de impresión", "Color"},
    {CFmtdesignFrm::AlignLeftCommand, "Alinea el texto a la izquierda", "Izquierda"},
    {CFmtdesignFrm::AlignCentreCommand, "Alinea el texto al centro del área", "Centrar"},
    {CFmtdesignFrm::AlignRightCommand, "Alinea el texto a la derecha del área de impresión",
     "Derecha"},
    {CFmtdesignFrm::UpperCaseCommand, "La celda de captura solo aceptará letras mayúsculas",
     "Mayúsculas"},
    {CFmtdesignFrm::HorizontalLineCommand, "Línea horizontal", "Horizontal"},
    {CFmtdesignFrm::VerticalLineCommand, "Línea vertical", "Vertical"},
    {CFmtdesignFrm::FrontCommand, "Envía el control seleccionado a la última capa de impresión",
     "Adelante"},
    {CFmtdesignFrm::BackCommand, "Envía el control seleccionado a la primera capa de impresión",
     "Atrás"},
    {CFmtdesignFrm::ExitCommand, "Sale de la aplicación; le pide que guarde los documentos",
     "Salir"},
    {CFmtdesignFrm::ResetScreenCommand,
     "Restaura las posiciones de los controles de captura a los originales en esta pantalla de "
     "diseño.",
     ""},
    {CFmtdesignFrm::AccessBarCommand, "Despliega la barra de acceso", "Acceso"},
    {CFmtdesignFrm::AboutCommand, "Muestra la información del programa", "Acerca de"},
    {CFmtdesignFrm::HelpCommand, "Despliega el sistema de ayuda", "Ayuda"},
};

} // namespace

CFmtdesignFrm::CFmtdesignFrm(QWidget* parent)
    : QMdiSubWindow(parent), m_document(new DesignDocument(this)), m_body(new QMainWindow),
      m_backdrop(std::make_unique<ReferenceBackdrop>()) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_body->setWindowFlags(Qt::Widget);
    MakeCommands();
    MakeMenus();
    MakeToolBars();
    MakeStatusBar();
    MakeLayout();
    ConnectCommands();
    setWidget(m_body);
    connect(this, &QMdiSubWindow::aboutToActivate, this, &CFmtdesignFrm::UpdateTitle);
    connect(m_document, &DesignDocument::changed, this, &CFmtdesignFrm::UpdateCommands);
    connect(m_document, &DesignDocument::selectionChanged, this, &CFmtdesignFrm::UpdateCommands);
    connect(m_document, &DesignDocument::pathChanged, this, &CFmtdesignFrm::UpdateTitle);
    UpdateCommands();
    UpdateTitle();
}

CFmtdesignFrm::~CFmtdesignFrm() {
    // The bar goes while the document it edits is still there: a field losing the focus as it
    // goes applies itself to the document.
    delete std::exchange(m_propertiesBar, nullptr);
    // The view outlives this body by a little; it must not draw a backdrop already gone.
    m_view->SetBackdrop(nullptr);
    // The menus live in the main frame's menu bar while the window is active.
    qDeleteAll(m_menus);
}

QAction* CFmtdesignFrm::AddCommand(QMenu* menu, Command id, const QString& text,
                                   const QString& prompt) {
    QAction* action = m_actions.value(id);
    if (!action) {
        action = new QAction(text, this);
        action->setData(static_cast<int>(id));
        m_actions.insert(id, action);
    }
    if (!prompt.isEmpty())
        action->setStatusTip(prompt);
    if (menu)
        menu->addAction(action);
    return action;
}

void CFmtdesignFrm::MakeCommands() {
    for (const CommandText& text : kCommandTexts) {
        QAction* action = AddCommand(nullptr, text.id, QString::fromUtf8(text.tip),
                                     QString::fromUtf8(text.prompt));
        if (*text.tip)
            action->setToolTip(QString::fromUtf8(text.tip));
        connect(action, &QAction::hovered, this,
                [this, action] { m_statusBar->showMessage(action->statusTip()); });
    }
    for (Command checkable : {SnapMillimetreCommand, SnapCentimetreCommand, SelectToolCommand,
                              UpperCaseCommand, PropertiesCommand})
        m_actions.value(checkable)->setCheckable(true);
    for (const InsertionTool& tool : kInsertionTools)
        m_actions.value(tool.id)->setCheckable(true);

    const auto [undo, redo] = UndoActions::Make(m_document->UndoStack(), this);
    m_actions.insert(UndoCommand, undo);
    m_actions.insert(RedoCommand, redo);
    QAction* save = m_actions.value(SaveCommand);
    save->setShortcut(QKeySequence::Save);
    save->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(save);
}

void CFmtdesignFrm::MakeMenus() {
    auto* file = new QMenu(QStringLiteral("&Archivo"));
    AddCommand(file, NewFormatCommand, QString(), QString())
        ->setText(QStringLiteral("Nuevo formato"));
    AddCommand(file, OpenFormatCommand, QString(), QString())
        ->setText(QStringLiteral("Abrir formato..."));
    AddCommand(file, SaveCommand, QString(), QString())->setText(QStringLiteral("Guardar formato"));
    AddCommand(file, SaveAsCommand, QString(), QString())
        ->setText(QStringLiteral("Guardar formato como..."));
    AddCommand(file, CloseFormatCommand, QString(), QString())
        ->setText(QStringLiteral("Cerrar formato"));
    file->addSeparator();
    AddCommand(file, ExitCommand, QString(), QString())->setText(QStringLiteral("&Salir"));

    auto* edit = new QMenu(QStringLiteral("&Edición"));
    edit->addAction(m_actions.value(UndoCommand));
    edit->addAction(m_actions.value(RedoCommand));

    auto* view = new QMenu(QStringLiteral("&Ver"));
    AddCommand(view, SnapMillimetreCommand, QString(), QString())
        ->setText(QStringLiteral("Anclar al &milímetro"));
    AddCommand(view, SnapCentimetreCommand, QString(), QString())
        ->setText(QStringLiteral("Anclar al &centímetro"));
    AddCommand(view, PropertiesCommand, QString(), QString())
        ->setText(QStringLiteral("&Propiedades"));
    AddCommand(view, AccessBarCommand, QString(), QString())
        ->setText(QStringLiteral("Barra de acceso"));
    MakeBackdropCommands(view);

    auto* insert = new QMenu(QStringLiteral("&Insertar"));
    QMenu* variable = insert->addMenu(QStringLiteral("Controles variables"));
    const std::pair<Command, const char*> variableItems[] = {
        {InsertTextlineCommand, "Línea de texto"},
        {InsertParagraphCommand, "Párrafo"},
        {InsertBoxesCommand, "Texto en cuadros"},
        {InsertCheckMarkCommand, "Marca de verificación"},
        {InsertTableCommand, "Cuadrícula"},
        {InsertDateCommand, "Selector de fecha"},
    };
    for (const auto& [id, text] : variableItems)
        AddCommand(variable, id, QString(), QString())->setText(QString::fromUtf8(text));
    QMenu* constant = insert->addMenu(QStringLiteral("Controles estáticos"));
    const std::pair<Command, const char*> constantItems[] = {
        {InsertConstantTextCommand, "Línea de texto"},
        {InsertConstantParagraphCommand, "Párrafo"},
        {InsertLineCommand, "Línea"},
        {InsertRectangleCommand, "Rectángulo"},
        {InsertLabelCommand, "Etiqueta"},
        {InsertImageCommand, "&Imagen"},
    };
    for (const auto& [id, text] : constantItems)
        AddCommand(constant, id, QString(), QString())->setText(QString::fromUtf8(text));

    auto* format = new QMenu(QStringLiteral("&Formato"));
    AddCommand(format, SettingsCommand, QString(), QString())
        ->setText(QStringLiteral("Configuración del formato"));
    AddCommand(format, FontCommand, QString(), QString())->setText(QStringLiteral("&Fuente"));
    AddCommand(format, ColorCommand, QString(), QString())->setText(QStringLiteral("&Color"));
    AddCommand(format, UpperCaseCommand, QString(), QString())
        ->setText(QStringLiteral("&Mayúsculas"));
    QMenu* alignment = format->addMenu(QStringLiteral("Alineación"));
    AddCommand(alignment, AlignLeftCommand, QString(), QString())
        ->setText(QStringLiteral("&Izquierda"));
    AddCommand(alignment, AlignCentreCommand, QString(), QString())
        ->setText(QStringLiteral("&Centrado"));
    AddCommand(alignment, AlignRightCommand, QString(), QString())
        ->setText(QStringLiteral("&Derecha"));
    QMenu* order = format->addMenu(QStringLiteral("Orden"));
    AddCommand(order, BackCommand, QString(), QString())->setText(QStringLiteral("&Enviar atrás"));
    AddCommand(order, FrontCommand, QString(), QString())
        ->setText(QStringLiteral("&Traer al frente"));
    AddCommand(format, ResetScreenCommand, QString(), QString())
        ->setText(QStringLiteral("Reinicializar pantalla de captura"));

    auto* help = new QMenu(QStringLiteral("A&yuda"));
    AddCommand(help, AboutCommand, QString(), QString())
        ->setText(QStringLiteral("&Acerca de Plenova..."));
    AddCommand(help, HelpCommand, QString(), QString())->setText(QStringLiteral("&Contenido"));

    m_menus = {file, edit, view, insert, format, help};
    for (QMenu* menu : std::as_const(m_menus))
        connect(menu, &QMenu::aboutToHide, this, [this] { m_statusBar->clearMessage(); });
}

void CFmtdesignFrm::MakeToolBars() {
    // Each button shows the same command as the menu, with its tool tip and picture.
    const auto fill = [this](QToolBar* bar, std::initializer_list<int> ids) {
        bar->setIconSize(QSize(16, 15));
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        bar->setMovable(true);
        bar->setFloatable(true);
        for (int id : ids) {
            if (id == 0) {
                bar->addSeparator();
                continue;
            }
            QAction* command = m_actions.value(id);
            command->setIcon(DesignerPictures::ToolIcon(id));
            bar->addAction(command);
        }
        m_body->addToolBar(Qt::TopToolBarArea, bar);
    };
    m_toolBar130 = new QToolBar(QStringLiteral("Diseño"), m_body);
    m_toolBar130->setObjectName(QStringLiteral("toolBar130"));
    fill(m_toolBar130, {NewFormatCommand,
                        OpenFormatCommand,
                        SaveCommand,
                        0,
                        SettingsCommand,
                        SnapMillimetreCommand,
                        SnapCentimetreCommand,
                        0,
                        SelectToolCommand,
                        DeleteCommand,
                        PropertiesCommand,
                        0,
                        InsertTextlineCommand,
                        InsertParagraphCommand,
                        InsertDateCommand,
                        InsertBoxesCommand,
                        InsertCheckMarkCommand,
                        InsertTableCommand,
                        0,
                        InsertConstantTextCommand,
                        InsertConstantParagraphCommand,
                        InsertImageCommand,
                        InsertLineCommand,
                        InsertRectangleCommand,
                        InsertLabelCommand});
    m_toolBar130->addSeparator();
    m_zoomBox = new ZoomBox(m_toolBar130);
    m_toolBar130->addWidget(m_zoomBox);
    m_toolBar136 = new QToolBar(QStringLiteral("Formato"), m_body);
    m_toolBar136->setObjectName(QStringLiteral("toolBar136"));
    fill(m_toolBar136, {FontCommand, ColorCommand, AlignLeftCommand, AlignCentreCommand,
                        AlignRightCommand, UpperCaseCommand, 0, HorizontalLineCommand,
                        VerticalLineCommand, 0, FrontCommand, BackCommand});
}

QToolBar* CFmtdesignFrm::ToolBar(int resource) const {
    return resource == 130 ? m_toolBar130 : resource == 136 ? m_toolBar136 : nullptr;
}

void CFmtdesignFrm::MakeStatusBar() {
    m_statusBar = new QStatusBar(m_body);
    // The panes are as wide as their names say: the messages twice, the position one and a half
    // times.
    const QFontMetrics metrics(m_statusBar->font());
    m_messagePane = new QLabel(m_statusBar);
    m_messagePane->setToolTip(QStringLiteral("Mensajes del sistema"));
    m_messagePane->setMinimumWidth(
        2 * metrics.horizontalAdvance(QStringLiteral("Mensajes del sistema")));
    m_positionPane = new QLabel(m_statusBar);
    m_positionPane->setToolTip(QStringLiteral("Posición del objeto"));
    m_positionPane->setMinimumWidth(
        3 * metrics.horizontalAdvance(QStringLiteral("Posición del objeto")) / 2);
    m_statusBar->addPermanentWidget(m_messagePane);
    m_statusBar->addPermanentWidget(m_positionPane);
    LockKeyIndicators::AddTo(*m_statusBar);
    m_body->setStatusBar(m_statusBar);
}

void CFmtdesignFrm::MakeLayout() {
    auto* surface = new QWidget;
    auto* grid = new QGridLayout(surface);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    auto* corner = new CRulerCornerView(surface);
    m_horizontalRuler = new CRules(Qt::Horizontal, surface);
    m_verticalRuler = new CRules(Qt::Vertical, surface);
    m_view = new CFmtdesignView(*m_document, surface);
    corner->setFixedSize(kRulerWidth, kRulerWidth);
    m_horizontalRuler->setFixedHeight(kRulerWidth);
    m_verticalRuler->setFixedWidth(kRulerWidth);
    grid->addWidget(corner, 0, 0);
    grid->addWidget(m_horizontalRuler, 0, 1);
    grid->addWidget(m_verticalRuler, 1, 0);
    grid->addWidget(m_view, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    m_body->setCentralWidget(surface);

    for (CRules* ruler : {m_horizontalRuler, m_verticalRuler}) {
        ruler->SetExtent(4000, 4000);
        ruler->SetScale(1);
        connect(m_view, &CFmtdesignView::rulerHint, ruler, &CRules::Update);
    }
    // Zoom is the window's way of looking at the page: the rulers and the box follow it.
    connect(m_zoomBox, &ZoomBox::zoomChosen, m_view, &CFmtdesignView::SetZoom);
    connect(m_zoomBox, &ZoomBox::fitChosen, m_view, &CFmtdesignView::FitPage);
    // Once a zoom is chosen the page has the keys again, so that Tab, the arrows and Delete act
    // on the controls.
    connect(m_zoomBox, &ZoomBox::zoomChosen, m_view, [this] { m_view->setFocus(); });
    connect(m_zoomBox, &ZoomBox::fitChosen, m_view, [this] { m_view->setFocus(); });
    connect(m_view, &CFmtdesignView::zoomChanged, this, [this](int percent) {
        m_zoomBox->ShowPercent(percent);
        for (CRules* ruler : {m_horizontalRuler, m_verticalRuler})
            ruler->SetScale(percent / 100.0);
    });
    connect(m_view, &CFmtdesignView::positionText, this, [this](const QString& text) {
        m_positionText = text;
        m_positionPane->setText(text);
    });
}

void CFmtdesignFrm::ConnectCommands() {
    DesignDocument& doc = *m_document;
    const auto on = [this](Command id, auto slot) {
        connect(m_actions.value(id), &QAction::triggered, this, slot);
    };
    on(OpenFormatCommand, [this] { OpenFormatDialog(); });
    on(SaveCommand, [this] { Save(); });
    on(SaveAsCommand, [this] { SaveAs(); });
    on(CloseFormatCommand, [this] { close(); });
    on(SnapMillimetreCommand, [&doc] { doc.ToggleSnapMillimetre(); });
    on(SnapCentimetreCommand, [&doc] { doc.ToggleSnapCentimetre(); });
    on(SelectToolCommand, [this] { m_view->ArmSelection(); });
    on(DeleteCommand, [&doc] { doc.DeleteSelected(); });
    for (const InsertionTool& tool : kInsertionTools)
        on(tool.id, [this, type = tool.type] { m_view->ArmInsertion(type); });
    on(FontCommand, [this] { ChooseFont(true); });
    on(ColorCommand, [this] { ChooseColor(); });
    on(AlignLeftCommand, [&doc] { doc.AlignSelected(DesignDocument::Alignment::Left); });
    on(AlignCentreCommand, [&doc] { doc.AlignSelected(DesignDocument::Alignment::Centre); });
    on(AlignRightCommand, [&doc] { doc.AlignSelected(DesignDocument::Alignment::Right); });
    on(UpperCaseCommand, [&doc] { doc.ToggleUpperCaseOfSelected(); });
    on(HorizontalLineCommand, [&doc] { doc.MakeSelectedLineHorizontal(); });
    on(VerticalLineCommand, [&doc] { doc.MakeSelectedLineVertical(); });
    on(FrontCommand, [&doc] { doc.BringSelectedToFront(); });
    on(BackCommand, [&doc] { doc.SendSelectedToBack(); });
    on(ResetScreenCommand, [&doc] { doc.ResetScreenPlacement(); });
    on(SettingsCommand, [this] { EditSettings(); });
    on(BackdropCommand, [this] { ChooseBackdrop(); });
    on(CalibrateBackdropCommand, [this] { StartBackdropCalibration(); });
    on(ShowBackdropCommand, [this](bool shown) {
        m_backdrop->SetShown(shown);
        m_view->viewport()->update();
        KeepBackdrop();
    });
    on(RemoveBackdropCommand, [this] {
        ReferenceBackdropDialog::Choice remove;
        remove.remove = true;
        ApplyBackdrop(remove);
    });
    m_view->SetBackdrop(m_backdrop.get());
    m_picker = new TwoPointPicker(*m_view);
    connect(m_picker, &TwoPointPicker::firstPicked, this, [this] {
        m_statusBar->showMessage(
            QStringLiteral("Haga clic sobre la segunda marca del fondo (Esc cancela)."));
    });
    connect(m_picker, &TwoPointPicker::picked, this, &CFmtdesignFrm::CalibrateBackdrop);
    connect(m_picker, &TwoPointPicker::cancelled, this, [this] { m_statusBar->clearMessage(); });
    UpdateBackdropCommands();

    m_view->SetMessageReporter([this](const QString& message) { Tell(message); });
    connect(m_view, &CFmtdesignView::fontRequested, this, [this] { ChooseFont(false); });
    connect(m_view, &CFmtdesignView::colorRequested, this, &CFmtdesignFrm::ChooseColor);
    // The view goes back to the arrow after one insertion.
    connect(m_document, &DesignDocument::toolChanged, this, &CFmtdesignFrm::UpdateCommands);
    on(PropertiesCommand, [this] { ShowProperties(); });
    connect(m_view, &CFmtdesignView::propertiesRequested, this, &CFmtdesignFrm::ShowProperties);
    // The access bar and help come with their own windows' work.
    for (Command id : {AccessBarCommand, HelpCommand})
        m_actions.value(id)->setEnabled(false);
}

void CFmtdesignFrm::ShowProperties() {
    if (!m_propertiesBar) {
        m_properties = new PropertiesDialog(*m_document);
        m_properties->SetMessenger([this](const QString& message) { Tell(message); });
        auto* bar = new CSizingControlBar(QStringLiteral("Propiedades"), m_properties, m_body);
        m_propertiesBar = bar;
        m_propertiesBar->setObjectName(QStringLiteral("propertiesBar"));
        // Ctrl+S saves this window's format from its properties too, floating as they are.
        m_propertiesBar->addAction(m_actions.value(SaveCommand));
        connect(bar, &CSizingControlBar::closeRequested, this, &CFmtdesignFrm::HideProperties);
        m_propertiesBar->setFeatures(QDockWidget::DockWidgetClosable |
                                     QDockWidget::DockWidgetMovable |
                                     QDockWidget::DockWidgetFloatable);
        // The bar floats over the page and never docks into the window.
        m_body->addDockWidget(Qt::LeftDockWidgetArea, m_propertiesBar);
        m_propertiesBar->setAllowedAreas(Qt::NoDockWidgetArea);
        m_propertiesBar->setFloating(true);
        m_propertiesBar->move(100, 50);
        connect(m_properties, &PropertiesDialog::closeRequested, this,
                &CFmtdesignFrm::HideProperties);
        // The close box of the floating frame hides the bar as "Cerrar" does.
        connect(m_propertiesBar, &QDockWidget::visibilityChanged, this, [this] {
            if (m_propertiesBar)
                m_actions.value(PropertiesCommand)->setChecked(m_propertiesBar->isVisible());
        });
    }
    m_propertiesBar->hide();
    m_properties->Layout();
    m_propertiesBar->show();
    m_actions.value(PropertiesCommand)->setChecked(true);
}

void CFmtdesignFrm::HideProperties() {
    if (m_propertiesBar)
        m_propertiesBar->hide();
    m_actions.value(PropertiesCommand)->setChecked(false);
}

void CFmtdesignFrm::UpdateCommands() {
    const DesignDocument& doc = *m_document;
    const bool selected = doc.Selected() != nullptr;
    const bool empty = doc.IsEmpty();
    m_actions.value(SaveCommand)->setEnabled(!empty);
    m_actions.value(SaveAsCommand)->setEnabled(!empty);
    m_actions.value(SnapMillimetreCommand)->setChecked(doc.SnapStep() == 10);
    m_actions.value(SnapCentimetreCommand)->setChecked(doc.SnapStep() == 100);
    const bool selecting = doc.CurrentTool() == DesignDocument::Tool::Selection;
    m_actions.value(SelectToolCommand)->setChecked(selecting);
    for (const InsertionTool& tool : kInsertionTools)
        m_actions.value(tool.id)->setChecked(!selecting && doc.InsertionType() == tool.type);
    m_actions.value(DeleteCommand)->setEnabled(selected);
    m_actions.value(FontCommand)->setEnabled(!selected || doc.SelectedHasFont());
    m_actions.value(ColorCommand)->setEnabled(doc.SelectedTakesColor());
    for (Command id : {AlignLeftCommand, AlignCentreCommand, AlignRightCommand})
        m_actions.value(id)->setEnabled(doc.SelectedHasFont());
    QAction* upper = m_actions.value(UpperCaseCommand);
    upper->setEnabled(doc.SelectedTakesUpperCase());
    upper->setChecked(doc.SelectedTakesUpperCase() && doc.Selected()->IsUpperCase());
    m_actions.value(HorizontalLineCommand)->setEnabled(doc.SelectedIsLine());
    m_actions.value(VerticalLineCommand)->setEnabled(doc.SelectedIsLine());
    m_actions.value(FrontCommand)->setEnabled(selected);
    m_actions.value(BackCommand)->setEnabled(selected);
}

std::optional<std::pair<QFont, QFont>> CFmtdesignFrm::PickFont(const QFont& initial,
                                                               bool trueTypeOnly) {
    if (m_chooseFont) {
        if (const std::optional<QFont> chosen = m_chooseFont(initial, trueTypeOnly))
            return std::pair(initial, *chosen);
        return std::nullopt;
    }
    QFontDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Fuente"));
    if (trueTypeOnly)
        dialog.setOption(QFontDialog::ScalableFonts);
    dialog.setCurrentFont(initial);
    // The dialog offers whole points and its own names of the styles: what it shows at first is
    // what "untouched" means.
    const QFont shown = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::pair(shown, dialog.selectedFont());
}

void CFmtdesignFrm::ChooseFont(bool trueTypeOnly) {
    DesignDocument& doc = *m_document;
    if (CControles* control = doc.Selected()) {
        if (!control->HasFont())
            return;
        const LogFont current = control->GetFont();
        if (const auto picked = PickFont(FontChoice::ToQFont(current), trueTypeOnly)) {
            const LogFont chosen = FontChoice::Apply(current, picked->first, picked->second);
            if (chosen != current)
                doc.SetFontOfSelected(chosen);
        }
        return;
    }
    const QString question = QStringLiteral(
        "La fuente que seleccione se aplicará a todos los controles, ¿Desea continuar?");
    const bool yes =
        m_ask ? m_ask(question)
              : QMessageBox::question(this, QStringLiteral("Plenova"), question,
                                      QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    if (!yes)
        return;
    // The preset is only where the dialog starts: accepted untouched, it changes no control.
    const LogFont preset = FontChoice::PresetForAll();
    if (const auto picked = PickFont(FontChoice::ToQFont(preset), trueTypeOnly)) {
        const LogFont chosen = FontChoice::Apply(preset, picked->first, picked->second);
        if (chosen != preset)
            doc.SetFontOfAll(chosen);
    }
}

void CFmtdesignFrm::ChooseColor() {
    CControles* control = m_document->Selected();
    if (!control || !m_document->SelectedTakesColor())
        return;
    std::optional<QColor> chosen;
    if (m_chooseColor) {
        chosen = m_chooseColor(ToQColor(control->color));
    } else {
        const QColor picked =
            QColorDialog::getColor(ToQColor(control->color), this, QStringLiteral("Color"));
        if (picked.isValid())
            chosen = picked;
    }
    if (chosen)
        m_document->SetColorOfSelected(FromQColor(*chosen));
}

QString CFmtdesignFrm::ChooseFile(FormatDialog dialog) {
    if (m_chooseFile)
        return m_chooseFile(dialog);
    FileDialog::Request request;
    request.mode = dialog == FormatDialog::Save ? FileDialog::Mode::Save : FileDialog::Mode::Open;
    request.filters = {QStringLiteral("Plenova (*.fmt)")};
    request.defaultSuffix = QStringLiteral("fmt");
    if (dialog == FormatDialog::Save)
        request.start = m_document->Path();
    return FileDialog::Ask(this, request);
}

void CFmtdesignFrm::Tell(const QString& message) {
    if (m_tell)
        m_tell(message);
    else
        UserMessage::Error(message);
}

bool CFmtdesignFrm::OpenFormatDialog() {
    if (!MayClose())
        return false;
    const QString path = ChooseFile(FormatDialog::Open);
    return !path.isEmpty() && OpenFormat(path);
}

bool CFmtdesignFrm::OpenFormat(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const AccessCheck::KeyAsker ask =
        m_askKey ? m_askKey : [this] { return AccessKeyDialog::Ask(this); };
    if (!AccessCheck::CheckAccess(absolute, ask)) {
        const QString refusal = QStringLiteral("Usted no tiene acceso a este archivo");
        if (m_tell)
            m_tell(refusal);
        else
            UserMessage::Plain(refusal);
        return false;
    }
    try {
        const QStringList warnings = m_document->Open(absolute);
        for (const QString& warning : warnings)
            Tell(warning);
    } catch (const PlenovaError& e) {
        Tell(e.Message());
        return false;
    }
    // A backdrop kept beside the format comes back with it; one that cannot is told and left.
    const QString backdropWarning =
        m_backdrop->LoadFor(m_document->Path(), &PdfPageTool::RenderPage);
    if (!backdropWarning.isEmpty())
        Tell(backdropWarning);
    UpdateBackdropCommands();
    m_view->viewport()->update();
    // The document's own signals have set the caption and the commands.
    emit recentFormat(m_document->Path());
    return true;
}

void CFmtdesignFrm::EditSettings() {
    std::optional<FormatSettings> edited;
    if (m_editSettings) {
        edited = m_editSettings(m_document->Settings());
    } else {
        FormatSettingsDialog dialog(m_document->Settings(), this);
        if (dialog.exec() == QDialog::Accepted)
            edited = dialog.Settings();
    }
    if (edited)
        m_document->SetSettings(*edited);
}

bool CFmtdesignFrm::WriteTo(const QString& path) {
    if (m_properties)
        m_properties->ApplyFocusedField();
    try {
        const QStringList warnings = m_document->Save(path);
        for (const QString& warning : warnings)
            Tell(warning);
    } catch (const PlenovaError& e) {
        Tell(e.Message());
        return false;
    }
    // A format saved under a new name takes its backdrop along.
    KeepBackdrop();
    return true;
}

bool CFmtdesignFrm::Save() {
    if (m_document->IsEmpty())
        return false;
    if (!m_document->Path().isEmpty())
        return WriteTo(m_document->Path());
    const QString path = ChooseFile(FormatDialog::Save);
    if (path.isEmpty() || !WriteTo(path))
        return false;
    emit recentFormat(m_document->Path());
    return true;
}

bool CFmtdesignFrm::SaveAs() {
    if (m_document->IsEmpty())
        return false;
    const QString path = ChooseFile(FormatDialog::Save);
    return !path.isEmpty() && WriteTo(path);
}

bool CFmtdesignFrm::MayClose() {
    const QString name = m_document->Path().isEmpty() ? QStringLiteral("(nuevo)")
                                                      : QFileInfo(m_document->Path()).fileName();
    // An empty format has nothing to write: nothing is lost either.
    return ::SaveQuestion::MayLoseChanges(this, m_document->IsModified(), name, m_askSave,
                                          [this] { return m_document->IsEmpty() || Save(); });
}

void CFmtdesignFrm::closeEvent(QCloseEvent* event) {
    if (!MayClose()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

void CFmtdesignFrm::UpdateTitle() {
    const QString path = m_document->Path();
    setWindowTitle(QStringLiteral("Diseño de formato - %1")
                       .arg(path.isEmpty() ? QStringLiteral("(nuevo)") : path));
    emit captionChanged(this);
}

void CFmtdesignFrm::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    // Shown among the other windows, the page takes the keys, not the first box of a toolbar
    // nor a panel of the main window.
    if (!event->spontaneous())
        m_view->setFocus();
}

void CFmtdesignFrm::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    // A window just maximized shows the page from its top-left corner.
    if (isMaximized() && !m_wasMaximized)
        m_view->ScrollToOrigin();
    m_wasMaximized = isMaximized();
    WrapToolBars();
    UpdateTitle();
}

void CFmtdesignFrm::WrapToolBars() {
    // The two toolbars share a row while it holds them both whole; in a narrower window the
    // second takes a row of its own rather than hiding its buttons.
    if (m_body->toolBarArea(m_toolBar130) != Qt::TopToolBarArea ||
        m_body->toolBarArea(m_toolBar136) != Qt::TopToolBarArea)
        return;
    const bool wrap = m_toolBar130->sizeHint().width() + m_toolBar136->sizeHint().width() >
                      contentsRect().width();
    if (wrap == m_body->toolBarBreak(m_toolBar136))
        return;
    if (wrap)
        m_body->insertToolBarBreak(m_toolBar136);
    else
        m_body->removeToolBarBreak(m_toolBar136);
}

// ---- The reference backdrop ------------------------------------------------------------------

void CFmtdesignFrm::MakeBackdropCommands(QMenu* view) {
    view->addSeparator();
    AddCommand(view, BackdropCommand, QStringLiteral("Fondo de referencia..."),
               QStringLiteral("Muestra bajo la página un escaneo o una foto del papel impreso"));
    QAction* shown = AddCommand(view, ShowBackdropCommand, QStringLiteral("Mostrar fondo"),
                                QStringLiteral("Muestra u oculta el fondo de referencia"));
    shown->setCheckable(true);
    AddCommand(view, CalibrateBackdropCommand, QStringLiteral("Calibrar fondo con dos puntos"),
               QStringLiteral("Lleva el fondo a su tamaño real con dos marcas de distancia "
                              "conocida"));
    AddCommand(view, RemoveBackdropCommand, QStringLiteral("Quitar fondo"),
               QStringLiteral("Quita el fondo de referencia de este formato"));
}

void CFmtdesignFrm::UpdateBackdropCommands() {
    const bool set = m_backdrop->IsSet();
    QAction* shown = m_actions.value(ShowBackdropCommand);
    shown->setEnabled(set);
    shown->setChecked(set && m_backdrop->IsShown());
    m_actions.value(CalibrateBackdropCommand)->setEnabled(set);
    m_actions.value(RemoveBackdropCommand)->setEnabled(set);
}

void CFmtdesignFrm::ChooseBackdrop() {
    std::optional<ReferenceBackdropDialog::Choice> choice;
    if (m_chooseBackdrop) {
        choice = m_chooseBackdrop(*m_backdrop);
    } else {
        ReferenceBackdropDialog dialog(*m_backdrop, this);
        if (dialog.exec() == QDialog::Accepted)
            choice = dialog.Result();
    }
    if (choice)
        ApplyBackdrop(*choice);
}

void CFmtdesignFrm::ApplyBackdrop(const ReferenceBackdropDialog::Choice& choice) {
    using Sizing = ReferenceBackdropDialog::Sizing;
    if (m_picker->IsPicking())
        m_picker->Cancel();
    if (choice.remove) {
        m_backdrop->Clear();
    } else {
        if (choice.path.isEmpty())
            return;
        const bool samePicture = m_backdrop->IsSet() && choice.path == m_backdrop->PicturePath() &&
                                 choice.page == m_backdrop->Page();
        if (!samePicture) {
            try {
                m_backdrop->Load(choice.path, choice.page, &PdfPageTool::RenderPage);
            } catch (const PlenovaError& e) {
                Tell(e.Message());
                return;
            }
        }
        m_backdrop->SetOpacity(choice.opacity);
        m_backdrop->SetShown(choice.shown);
        bool calibrate = choice.sizing == Sizing::TwoPoints;
        if (choice.sizing == Sizing::Dpi)
            m_backdrop->SizeAtDpi(choice.dpi);
        else if (choice.sizing == Sizing::Declared && !m_backdrop->SizeAtDeclaredResolution())
            calibrate = true;
        if (calibrate)
            StartBackdropCalibration();
    }
    UpdateBackdropCommands();
    m_view->viewport()->update();
    if (choice.remove && !m_document->Path().isEmpty()) {
        try {
            m_backdrop->SaveFor(m_document->Path());
        } catch (const PlenovaError& e) {
            Tell(e.Message());
        }
    } else {
        KeepBackdrop();
    }
}

void CFmtdesignFrm::StartBackdropCalibration() {
    if (!m_backdrop->IsSet())
        return;
    m_picker->Start();
    m_statusBar->showMessage(QStringLiteral(
        "Haga clic sobre la primera de dos marcas del fondo cuya distancia conozca (Esc "
        "cancela)."));
}

void CFmtdesignFrm::CalibrateBackdrop(Point first, Point second) {
    m_statusBar->clearMessage();
    const QPointF a(first.x, first.y);
    const QPointF b(second.x, second.y);
    const double shownMm = std::hypot(b.x() - a.x(), b.y() - a.y()) / 10.0;
    if (!(shownMm > 0)) {
        Tell(QStringLiteral("Los dos puntos marcados coinciden; marque dos puntos distintos."));
        return;
    }
    std::optional<BackdropCalibrationDialog::Answer> answer;
    if (m_askCalibration) {
        answer = m_askCalibration(shownMm);
    } else {
        BackdropCalibrationDialog dialog(shownMm, this);
        if (dialog.exec() == QDialog::Accepted)
            answer = dialog.Result();
    }
    if (!answer)
        return;
    const std::optional<double> distance = answer->DistanceUnits();
    if (!distance || !m_backdrop->CalibrateTwoPoints(a, b, *distance, answer->FirstTarget(a))) {
        Tell(QStringLiteral("La distancia entre los dos puntos debe ser mayor que cero."));
        return;
    }
    m_view->viewport()->update();
    KeepBackdrop();
}

void CFmtdesignFrm::KeepBackdrop() {
    if (m_document->Path().isEmpty() || !m_backdrop->IsSet())
        return;
    try {
        m_backdrop->SaveFor(m_document->Path());
    } catch (const PlenovaError& e) {
        Tell(e.Message());
    }
}

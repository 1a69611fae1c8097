#include "designer/CFmtdesignFrm.h"

#include "capture_model/DefaultFileName.h"
#include "commands/DesignerPictures.h"
#include "designer/AccessCheck.h"
#include "designer/AccessKeyDialog.h"
#include "designer/CFmtdesignView.h"
#include "designer/CRulerCornerView.h"
#include "designer/CRules.h"
#include "designer/DesignClipboard.h"
#include "designer/DesignDocument.h"
#include "designer/FontChoice.h"
#include "designer/FormatSettingsDialog.h"
#include "designer/PaperDialog.h"
#include "designer/PropertiesDialog.h"
#include "designer/TwoPointPicker.h"
#include "model/CControles.h"
#include "model/ReferenceBackdrop.h"
#include "platform/PlenovaError.h"
#include "platform/RecoveryFile.h"
#include "platform/RecoveryKeeper.h"
#include "platform_widgets/CSizingControlBar.h"
#include "platform_widgets/FileDialog.h"
#include "platform_widgets/LockKeyIndicators.h"
#include "platform_widgets/PdfPageTool.h"
#include "platform_widgets/SaveQuestion.h"
#include "platform_widgets/UserMessage.h"
#include "platform_widgets/ZoomBox.h"

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
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int kRulerWidth = 16;

// The insertion tools and the control type each one inserts.
struct InsertionTool {
    CommandId id;
    ControlTypeCode type;
};

constexpr InsertionTool kInsertionTools[] = {
    {CommandId::InsertTextline, ControlTypeCode::TextlineVar},
    {CommandId::InsertParagraph, ControlTypeCode::ParrafoVar},
    {CommandId::InsertDate, ControlTypeCode::DateInput},
    {CommandId::InsertBoxes, ControlTypeCode::CuadrosVar},
    {CommandId::InsertCheckMark, ControlTypeCode::MarcaVar},
    {CommandId::InsertTable, ControlTypeCode::FmtGrid},
    {CommandId::InsertConstantText, ControlTypeCode::ConsText},
    {CommandId::InsertConstantParagraph, ControlTypeCode::ConsParrafo},
    {CommandId::InsertImage, ControlTypeCode::Imagen},
    {CommandId::InsertPicture, ControlTypeCode::Imagen},
    {CommandId::InsertLine, ControlTypeCode::Linea},
    {CommandId::InsertRectangle, ControlTypeCode::Rectangulo},
    {CommandId::InsertLabel, ControlTypeCode::Etiqueta},
};

} // namespace

CFmtdesignFrm::CFmtdesignFrm(QWidget* parent)
    : QMdiSubWindow(parent), m_document(new DesignDocument(this)),
      m_recovery(new RecoveryKeeper(
          [this]() -> std::optional<RecoveryFile> {
              if (!m_document->IsModified())
                  return std::nullopt;
              RecoveryFile file;
              file.window = RecoveryFile::Window::Design;
              file.formatPath = m_document->Path();
              file.ownSettings = m_document->Plenova().ToJson();
              file.state = m_document->Bytes();
              return file;
          },
          this)),
      m_body(new QMainWindow), m_backdrop(std::make_unique<ReferenceBackdrop>()), m_commands(this),
      m_lock(this) {
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
    m_recovery->Follow(m_document->UndoStack());
    connect(&m_document->UndoStack(), &QUndoStack::cleanChanged, this, &CFmtdesignFrm::UpdateTitle);
    UpdateCommands();
    UpdateTitle();
}

CFmtdesignFrm::~CFmtdesignFrm() {
    // The document is a child, deleted after this body has gone: the undo stack it clears then
    // must no longer reach this window's caption.
    disconnect(&m_document->UndoStack(), nullptr, this, nullptr);
    // The bar goes while the document it edits is still there: a field losing the focus as it
    // goes applies itself to the document.
    delete std::exchange(m_propertiesBar, nullptr);
    // The view outlives this body by a little; it must not draw a backdrop already gone.
    m_view->SetBackdrop(nullptr);
    // The menus live in the main frame's menu bar while the window is active.
    qDeleteAll(m_menus);
}

void CFmtdesignFrm::MakeCommands() {
    m_commands.AddUndo(m_document->UndoStack());
}

void CFmtdesignFrm::MakeMenus() {
    using enum CommandId;
    using Entry = WindowCommands::MenuEntry;
    const Entry separator = Entry::Separator();
    m_menus = {
        m_commands.MakeMenu("&Archivo", {NewDesign, NewFromTemplate, OpenForDesign, SaveFormat,
                                         SaveFormatAs, separator, DesignPreview, DesignExportPdf,
                                         separator, CloseFormat, separator, Exit}),
        m_commands.MakeMenu(
            "&Edición", {Undo, Redo, separator, Cut, Copy, Paste, Duplicate, separator, SelectAll}),
        m_commands.MakeMenu("&Ver",
                            {SnapMillimetre, SnapCentimetre, ShowGrid, Properties, AccessBar,
                             separator, Backdrop, ShowBackdrop, CalibrateBackdrop, RemoveBackdrop}),
        m_commands.MakeMenu(
            "&Insertar",
            {Entry::Submenu("Controles variables", {InsertTextline, InsertParagraph, InsertBoxes,
                                                    InsertCheckMark, InsertTable, InsertDate}),
             Entry::Submenu("Controles estáticos",
                            {InsertConstantText, InsertConstantParagraph, InsertLine,
                             InsertRectangle, InsertLabel, InsertImage})}),
        m_commands.MakeMenu(
            "&Formato",
            {FormatSettings, PaperSetup, Font, Color, UpperCase,
             Entry::Submenu("Alineación", {AlignLeft, AlignCentre, AlignRight}),
             Entry::Submenu("Orden", {Back, Front}), FitToText, ResetScreen, separator,
             Entry::Submenu("Alinear",
                            {AlignLeftEdges, AlignRightEdges, AlignTopEdges, AlignBottomEdges,
                             AlignCentresHorizontally, AlignCentresVertically}),
             Entry::Submenu("Distribuir", {DistributeHorizontally, DistributeVertically}),
             Entry::Submenu("Igualar tamaño", {SameWidth, SameHeight, SameSize}), CentreOnPage}),
        m_commands.MakeMenu("A&yuda", {About, Help}),
    };
}

void CFmtdesignFrm::MakeToolBars() {
    const auto make = [this](const QString& title, const QString& name) {
        auto* bar = new QToolBar(title, m_body);
        bar->setObjectName(name);
        bar->setIconSize(QSize(DesignerPictures::kToolWidth, DesignerPictures::kToolHeight));
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        bar->setMovable(true);
        bar->setFloatable(true);
        return bar;
    };
    using enum CommandId;
    const auto separator = WindowCommands::ToolButton::Separator();
    m_toolBar130 = make(QStringLiteral("Diseño"), QStringLiteral("toolBar130"));
    m_commands.FillToolBar(m_toolBar130, {NewDesign,
                                          OpenForDesign,
                                          SaveFormat,
                                          separator,
                                          Cut,
                                          Copy,
                                          Paste,
                                          separator,
                                          FormatSettings,
                                          SnapMillimetre,
                                          SnapCentimetre,
                                          separator,
                                          SelectTool,
                                          Delete,
                                          Properties,
                                          separator,
                                          InsertTextline,
                                          InsertParagraph,
                                          InsertDate,
                                          InsertBoxes,
                                          InsertCheckMark,
                                          InsertTable,
                                          separator,
                                          InsertConstantText,
                                          InsertConstantParagraph,
                                          InsertImage,
                                          InsertLine,
                                          InsertRectangle,
                                          InsertLabel});
    m_toolBar130->addSeparator();
    m_zoomBox = new ZoomBox(m_toolBar130);
    m_toolBar130->addWidget(m_zoomBox);
    m_body->addToolBar(Qt::TopToolBarArea, m_toolBar130);
    m_toolBar136 = make(QStringLiteral("Formato"), QStringLiteral("toolBar136"));
    m_commands.FillToolBar(m_toolBar136,
                           {Font, Color, AlignLeft, AlignCentre, AlignRight, UpperCase, separator,
                            HorizontalLine, VerticalLine, separator, Front, Back, separator,
                            AlignLeftEdges, AlignRightEdges, AlignTopEdges, AlignBottomEdges,
                            DistributeHorizontally, DistributeVertically});
    m_body->addToolBar(Qt::TopToolBarArea, m_toolBar136);
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
    m_commands.ShowPromptsIn(m_statusBar);
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
    const auto on = [this](CommandId id, auto slot) {
        connect(m_commands.Add(id), &QAction::triggered, this, slot);
    };
    on(CommandId::OpenForDesign, [this] { OpenFormatDialog(); });
    on(CommandId::SaveFormat, [this] { Save(); });
    on(CommandId::SaveFormatAs, [this] { SaveAs(); });
    on(CommandId::CloseFormat, [this] { close(); });
    on(CommandId::DesignPreview, [this] {
        if (m_properties)
            m_properties->ApplyFocusedField();
        emit proofPreviewRequested(this);
    });
    on(CommandId::DesignExportPdf, [this] { ExportProofPdf(); });
    on(CommandId::SnapMillimetre, [&doc] { doc.ToggleSnapMillimetre(); });
    on(CommandId::SnapCentimetre, [&doc] { doc.ToggleSnapCentimetre(); });
    on(CommandId::SelectTool, [this] { m_view->ArmSelection(); });
    on(CommandId::Delete, [&doc] { doc.DeleteSelected(); });
    for (const InsertionTool& tool : kInsertionTools)
        on(tool.id, [this, type = tool.type] { m_view->ArmInsertion(type); });
    on(CommandId::Font, [this] { ChooseFont(true); });
    on(CommandId::Color, [this] { ChooseColor(); });
    on(CommandId::AlignLeft, [&doc] { doc.AlignSelected(DesignDocument::Alignment::Left); });
    on(CommandId::AlignCentre, [&doc] { doc.AlignSelected(DesignDocument::Alignment::Centre); });
    on(CommandId::AlignRight, [&doc] { doc.AlignSelected(DesignDocument::Alignment::Right); });
    on(CommandId::UpperCase, [&doc] { doc.ToggleUpperCaseOfSelected(); });
    on(CommandId::HorizontalLine, [&doc] { doc.MakeSelectedLineHorizontal(); });
    on(CommandId::VerticalLine, [&doc] { doc.MakeSelectedLineVertical(); });
    on(CommandId::Front, [&doc] { doc.BringSelectedToFront(); });
    on(CommandId::Back, [&doc] { doc.SendSelectedToBack(); });
    on(CommandId::ResetScreen, [&doc] { doc.ResetScreenPlacement(); });
    on(CommandId::SelectAll, [&doc] { doc.SelectAll(); });
    m_clipboard = new DesignClipboard(doc, this);
    m_clipboard->SetReporter([this](const QString& message) { m_statusBar->showMessage(message); });
    connect(m_clipboard, &DesignClipboard::pasteAvailabilityChanged, this,
            &CFmtdesignFrm::UpdateCommands);
    on(CommandId::Cut, [this] { m_clipboard->Cut(); });
    on(CommandId::Copy, [this] { m_clipboard->Copy(); });
    on(CommandId::Paste, [this] { m_clipboard->Paste(); });
    on(CommandId::Duplicate, [this] { m_clipboard->Duplicate(); });
    m_view->SetClipboard(m_clipboard);
    on(CommandId::ShowGrid, [this](bool shown) { m_view->SetGridShown(shown); });
    using Edge = DesignDocument::Edge;
    on(CommandId::AlignLeftEdges, [&doc] { doc.AlignSelection(Edge::Left); });
    on(CommandId::AlignRightEdges, [&doc] { doc.AlignSelection(Edge::Right); });
    on(CommandId::AlignTopEdges, [&doc] { doc.AlignSelection(Edge::Top); });
    on(CommandId::AlignBottomEdges, [&doc] { doc.AlignSelection(Edge::Bottom); });
    on(CommandId::AlignCentresHorizontally, [&doc] { doc.AlignSelection(Edge::HorizontalCentre); });
    on(CommandId::AlignCentresVertically, [&doc] { doc.AlignSelection(Edge::VerticalCentre); });
    on(CommandId::DistributeHorizontally, [&doc] { doc.DistributeSelection(true); });
    on(CommandId::DistributeVertically, [&doc] { doc.DistributeSelection(false); });
    on(CommandId::SameWidth, [&doc] { doc.SameSizeOfSelection(true, false); });
    on(CommandId::SameHeight, [&doc] { doc.SameSizeOfSelection(false, true); });
    on(CommandId::SameSize, [&doc] { doc.SameSizeOfSelection(true, true); });
    on(CommandId::CentreOnPage, [&doc] { doc.CentreSelectionOnPage(); });
    on(CommandId::FitToText, [&doc] { doc.FitSelectionToText(); });
    on(CommandId::FormatSettings, [this] { EditSettings(); });
    on(CommandId::PaperSetup, [this] { ChoosePaper(); });
    on(CommandId::Backdrop, [this] { ChooseBackdrop(); });
    on(CommandId::CalibrateBackdrop, [this] { StartBackdropCalibration(); });
    on(CommandId::ShowBackdrop, [this](bool shown) {
        m_backdrop->SetShown(shown);
        m_view->viewport()->update();
        KeepBackdrop();
    });
    on(CommandId::RemoveBackdrop, [this] {
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
    on(CommandId::Properties, [this] { ShowProperties(); });
    connect(m_view, &CFmtdesignView::propertiesRequested, this, &CFmtdesignFrm::ShowProperties);
    // The access bar and help come with their own windows' work.
    for (CommandId id : {CommandId::AccessBar, CommandId::Help})
        m_commands.Action(id)->setEnabled(false);
}

void CFmtdesignFrm::ShowProperties() {
    if (!m_propertiesBar) {
        m_properties = new PropertiesDialog(*m_document);
        m_properties->SetMessenger([this](const QString& message) { Tell(message); });
        connect(m_properties, &PropertiesDialog::fontRequested, this,
                [this] { ChooseFont(false); });
        connect(m_properties, &PropertiesDialog::colorRequested, this, &CFmtdesignFrm::ChooseColor);
        auto* bar = new CSizingControlBar(QStringLiteral("Propiedades"), m_properties, m_body);
        m_propertiesBar = bar;
        m_propertiesBar->setObjectName(QStringLiteral("propertiesBar"));
        // Ctrl+S saves this window's format from its properties too, floating as they are.
        m_propertiesBar->addAction(m_commands.Action(CommandId::SaveFormat));
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
                m_commands.Action(CommandId::Properties)->setChecked(m_propertiesBar->isVisible());
        });
    }
    m_propertiesBar->hide();
    m_properties->Layout();
    m_propertiesBar->show();
    m_commands.Action(CommandId::Properties)->setChecked(true);
}

void CFmtdesignFrm::HideProperties() {
    if (m_propertiesBar)
        m_propertiesBar->hide();
    m_commands.Action(CommandId::Properties)->setChecked(false);
}

void CFmtdesignFrm::UpdateCommands() {
    const DesignDocument& doc = *m_document;
    const bool selected = doc.Selected() != nullptr;
    const bool empty = doc.IsEmpty();
    m_commands.Action(CommandId::SaveFormat)->setEnabled(!empty);
    m_commands.Action(CommandId::SaveFormatAs)->setEnabled(!empty);
    m_commands.Action(CommandId::SnapMillimetre)->setChecked(doc.SnapStep() == 10);
    m_commands.Action(CommandId::SnapCentimetre)->setChecked(doc.SnapStep() == 100);
    const bool selecting = doc.CurrentTool() == DesignDocument::Tool::Selection;
    m_commands.Action(CommandId::SelectTool)->setChecked(selecting);
    for (const InsertionTool& tool : kInsertionTools)
        m_commands.Action(tool.id)->setChecked(!selecting && doc.InsertionType() == tool.type);
    m_commands.Action(CommandId::Delete)->setEnabled(selected);
    m_commands.Action(CommandId::Font)->setEnabled(!selected || doc.SelectedHasFont());
    m_commands.Action(CommandId::Color)->setEnabled(doc.SelectedTakesColor());
    for (CommandId id : {CommandId::AlignLeft, CommandId::AlignCentre, CommandId::AlignRight})
        m_commands.Action(id)->setEnabled(doc.SelectedHasFont());
    QAction* upper = m_commands.Action(CommandId::UpperCase);
    upper->setEnabled(doc.SelectedTakesUpperCase());
    upper->setChecked(doc.SelectedTakesUpperCase() && doc.Selected()->IsUpperCase());
    m_commands.Action(CommandId::HorizontalLine)->setEnabled(doc.SelectedIsLine());
    m_commands.Action(CommandId::VerticalLine)->setEnabled(doc.SelectedIsLine());
    m_commands.Action(CommandId::Front)->setEnabled(selected);
    m_commands.Action(CommandId::Back)->setEnabled(selected);
    const std::size_t count = doc.Selection().size();
    for (CommandId id : {CommandId::AlignLeftEdges, CommandId::AlignRightEdges,
                         CommandId::AlignTopEdges, CommandId::AlignBottomEdges,
                         CommandId::AlignCentresHorizontally, CommandId::AlignCentresVertically,
                         CommandId::SameWidth, CommandId::SameHeight, CommandId::SameSize})
        m_commands.Action(id)->setEnabled(count >= 2);
    for (CommandId id : {CommandId::DistributeHorizontally, CommandId::DistributeVertically})
        m_commands.Action(id)->setEnabled(count >= 3);
    m_commands.Action(CommandId::CentreOnPage)->setEnabled(selected);
    m_commands.Action(CommandId::FitToText)->setEnabled(doc.SelectedFitsText());
    m_commands.Action(CommandId::SelectAll)->setEnabled(!empty);
    for (CommandId id : {CommandId::Cut, CommandId::Copy, CommandId::Duplicate})
        m_commands.Action(id)->setEnabled(selected);
    m_commands.Action(CommandId::Paste)->setEnabled(m_clipboard && m_clipboard->CanPaste());
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
    if (doc.Selected()) {
        // The dialog starts at the font of the first picked control that has one.
        const std::vector<CControles*> selected = doc.SelectedControls();
        const auto withFont = std::find_if(selected.begin(), selected.end(),
                                           [](const CControles* c) { return c->HasFont(); });
        if (withFont == selected.end())
            return;
        const LogFont current = (*withFont)->GetFont();
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
    if (!m_document->SelectedTakesColor())
        return;
    // The dialog starts at the first picked control's colour.
    const CControles* control = m_document->Selected();
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
    if (dialog == FormatDialog::Pdf) {
        request.mode = FileDialog::Mode::Save;
        request.filters = {QStringLiteral("PDF (*.pdf)")};
        request.defaultSuffix = QStringLiteral("pdf");
        request.title = QStringLiteral("Exportar a PDF");
        request.start = DefaultFileName::ForJob(m_document->Path(), QStringLiteral("muestra"),
                                                QStringLiteral("pdf"));
        return FileDialog::Ask(this, request);
    }
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
    return Load(path, false);
}

bool CFmtdesignFrm::OpenTemplate(const QString& path) {
    return MayClose() && Load(path, true);
}

bool CFmtdesignFrm::Load(const QString& path, bool asCopy) {
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
    // A template is only read: a copy of it with no name is nobody's file yet.
    const bool read = m_lock.Open(
        asCopy ? QString() : absolute,
        [&] { return asCopy ? m_document->OpenCopy(absolute) : m_document->Open(absolute); },
        [this](const QString& message) { Tell(message); });
    if (!read)
        return false;
    UpdateTitle();
    // A new format from a template starts without the template's backdrop, and is no recent
    // format until it is saved.
    if (asCopy) {
        m_backdrop->Clear();
        UpdateBackdropCommands();
        m_view->viewport()->update();
        return true;
    }
    RestoreBackdrop();
    // The document's own signals have set the caption and the commands.
    emit recentFormat(m_document->Path());
    return true;
}

bool CFmtdesignFrm::Recover(const RecoveryFile& file) {
    // What comes back is the format at its path: locked as an opening would lock it.
    const bool read = m_lock.Open(
        file.formatPath,
        [&] { return m_document->Recover(file.formatPath, file.state, file.ownSettings); },
        [this](const QString& message) { Tell(message); });
    if (!read)
        return false;
    RestoreBackdrop();
    UpdateTitle();
    // Kept again at once: the file it came from goes once every window is back.
    m_recovery->Keep();
    return true;
}

void CFmtdesignFrm::RestoreBackdrop() {
    // A backdrop kept beside the format comes back with it; one that cannot is told and left.
    const QString backdropWarning = m_backdrop->Restore(
        m_document->Plenova().BackdropRecord(), m_document->Path(), &PdfPageTool::RenderPage);
    if (!backdropWarning.isEmpty())
        Tell(backdropWarning);
    UpdateBackdropCommands();
    m_view->viewport()->update();
}

void CFmtdesignFrm::EditSettings() {
    std::optional<EditedSettings> edited;
    const EditedSettings current{m_document->Settings(), m_document->Plenova().wording};
    if (m_editSettings) {
        edited = m_editSettings(current);
    } else {
        FormatSettingsDialog dialog(current.settings, current.wording, this);
        if (dialog.exec() == QDialog::Accepted)
            edited = EditedSettings{dialog.Settings(), dialog.Wording()};
    }
    if (edited)
        m_document->SetSettings(edited->settings, edited->wording);
}

void CFmtdesignFrm::ChoosePaper() {
    std::optional<Paper> chosen;
    if (m_choosePaper) {
        chosen = m_choosePaper(m_document->Plenova().paper);
    } else {
        PaperDialog dialog(m_document->Plenova().paper, this);
        if (dialog.exec() == QDialog::Accepted)
            chosen = dialog.Chosen();
    }
    if (chosen)
        m_document->SetPaper(*chosen);
}

bool CFmtdesignFrm::WriteTo(const QString& path) {
    if (m_properties)
        m_properties->ApplyFocusedField();
    QString refusal;
    std::optional<DocumentLock::Claim> claim = m_lock.ClaimForSaving(path, refusal);
    if (!claim) {
        Tell(refusal);
        return false;
    }
    // The backdrop travels with the format: its picture named from the folder saved into.
    if (m_backdrop->IsSet())
        m_document->SetBackdropRecord(m_backdrop->Record(path));
    try {
        const QStringList warnings = m_document->Save(path);
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

bool CFmtdesignFrm::Save() {
    if (m_document->IsEmpty())
        return false;
    if (m_lock.IsReadOnly())
        return SaveAs();
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

bool CFmtdesignFrm::ExportProofPdf() {
    if (m_properties)
        m_properties->ApplyFocusedField();
    const QString path = ChooseFile(FormatDialog::Pdf);
    if (path.isEmpty())
        return false;
    emit proofPdfRequested(this, path);
    return true;
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
    m_lock.Release();
    QMdiSubWindow::closeEvent(event);
}

void CFmtdesignFrm::UpdateTitle() {
    const QString path = m_document->Path();
    // A star says there are changes to save, as after bringing back what a crash left unsaved.
    QString title = QStringLiteral("Diseño de formato - %1%2")
                        .arg(path.isEmpty() ? QStringLiteral("(nuevo)") : path,
                             m_document->IsModified() ? QStringLiteral(" *") : QString());
    if (m_lock.IsReadOnly())
        title += QStringLiteral(" (solo lectura)");
    setWindowTitle(title);
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

void CFmtdesignFrm::UpdateBackdropCommands() {
    const bool set = m_backdrop->IsSet();
    QAction* shown = m_commands.Action(CommandId::ShowBackdrop);
    shown->setEnabled(set);
    shown->setChecked(set && m_backdrop->IsShown());
    m_commands.Action(CommandId::CalibrateBackdrop)->setEnabled(set);
    m_commands.Action(CommandId::RemoveBackdrop)->setEnabled(set);
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
    KeepBackdrop();
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
    if (m_document->Path().isEmpty())
        return;
    m_document->SetBackdropRecord(m_backdrop->Record(m_document->Path()));
    // What lies beside a format someone else has open is theirs too: the backdrop goes with
    // the format wherever this window saves it.
    if (m_lock.IsReadOnly())
        return;
    try {
        m_backdrop->SaveFor(m_document->Path());
    } catch (const PlenovaError& e) {
        Tell(e.Message());
    }
}

#include "capture/CFmtcapturaFrm.h"

#include "capture/CFmtcaptureView.h"
#include "capture/MarginsDialog.h"
#include "capture/PrinterDialogs.h"
#include "capture/PrinterSettings.h"
#include "capture_model/BatchFill.h"
#include "capture_model/BatchProgress.h"
#include "capture_model/CalibrationPage.h"
#include "capture_model/CaptureDocument.h"
#include "capture_model/CsvTable.h"
#include "capture_model/DefaultFileName.h"
#include "capture_model/PdfSheet.h"
#include "capture_model/UnreadNumbers.h"
#include "model/FormatPrinter.h"
#include "model/ReferenceBackdrop.h"
#include "platform/FileError.h"
#include "platform/FormatLock.h"
#include "platform/PlenovaError.h"
#include "platform/Profile.h"
#include "platform/RecoveryFile.h"
#include "platform/RecoveryKeeper.h"
#include "platform_widgets/FileDialog.h"
#include "platform_widgets/LockKeyIndicators.h"
#include "platform_widgets/PdfPageTool.h"
#include "platform_widgets/UserMessage.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPaintEngine>
#include <QPrinter>
#include <QProgressDialog>
#include <QStatusBar>
#include <QToolBar>

#include <optional>
#include <utility>
#include <vector>

CFmtcapturaFrm::CFmtcapturaFrm(QWidget* parent)
    : QMdiSubWindow(parent), m_document(std::make_unique<CaptureDocument>()),
      m_recovery(new RecoveryKeeper(
          [this]() -> std::optional<RecoveryFile> {
              if (!m_document->HasChanges())
                  return std::nullopt;
              RecoveryFile file;
              file.window = RecoveryFile::Window::Capture;
              file.formatPath = m_document->FormatPath();
              file.capturePath = m_document->CapturedDataPath();
              file.state = m_document->CapturedDataBytes();
              return file;
          },
          this)),
      m_body(new QMainWindow), m_view(new CFmtcaptureView(*m_document)), m_commands(this),
      m_captureLock(this) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_body->setWindowFlags(Qt::Widget);
    m_body->setCentralWidget(m_view);
    MakeMenus();
    MakeToolBar();
    MakeStatusBar();
    ConnectCaptureFileCommands();
    ConnectPrinting();
    ConnectPreviewAndExport();
    setWidget(m_body);
    connect(this, &QMdiSubWindow::aboutToActivate, this, &CFmtcapturaFrm::UpdateTitle);
    // Whether the values still differ from those kept is asked when the file would be written.
    CaptureDocument* document = m_document.get();
    connect(document, &CaptureDocument::fieldChanged, m_recovery, &RecoveryKeeper::Changed);
    connect(document, &CaptureDocument::cellsChanged, m_recovery, &RecoveryKeeper::Changed);
    connect(document, &CaptureDocument::valuesCleared, m_recovery, &RecoveryKeeper::Changed);
    connect(document, &CaptureDocument::valuesLoaded, m_recovery, &RecoveryKeeper::Changed);
    UpdateTitle();
}

CFmtcapturaFrm::~CFmtcapturaFrm() {
    // The menus live in the main frame's menu bar while the window is active, not among the
    // window's children.
    qDeleteAll(m_menus);
    // The screen shows the document's controls: it goes before them.
    delete m_body;
}

const QString& CFmtcapturaFrm::Path() const {
    return m_document->FormatPath();
}

void CFmtcapturaFrm::MakeMenus() {
    using enum CommandId;
    const auto separator = WindowCommands::MenuEntry::Separator();
    m_menus = {
        m_commands.MakeMenu("&Archivo",
                            {OpenForCapture, OpenCapturedData, SaveCapture, SaveCaptureAs,
                             separator, PrintSetup, Margins, Print, Preview, ExportPdf,
                             CalibrationSheet, PrintBatch, CloseCapture, separator, Exit}),
        m_commands.MakeMenu("&Ver", {ToolBar, Clear, PreviewBackdrop, AccessBar}),
        m_commands.MakeMenu("A&yuda", {About, Help}),
    };
    m_commands.Action(ToolBar)->setChecked(true);
    m_commands.Action(PreviewBackdrop)->setChecked(true);

    connect(m_commands.Action(Clear), &QAction::triggered, this, &CFmtcapturaFrm::ClearCapture);
    connect(m_commands.Action(CloseCapture), &QAction::triggered, this, &QMdiSubWindow::close);
}

void CFmtcapturaFrm::MakeToolBar() {
    m_toolBar = new QToolBar(m_body);
    m_toolBar->setObjectName(QStringLiteral("toolBar144"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    using enum CommandId;
    m_commands.FillToolBar(m_toolBar,
                           {OpenForCapture,
                            Print,
                            Preview,
                            Margins,
                            Clear,
                            WindowCommands::ToolButton::Separator(),
                            {About, ToolPicture::ThemeAbout}},
                           WindowCommands::ButtonLook::PictureAndTip);
    m_body->addToolBar(Qt::TopToolBarArea, m_toolBar);

    QAction* toggle = m_commands.Action(ToolBar);
    connect(toggle, &QAction::toggled, m_toolBar, &QToolBar::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void CFmtcapturaFrm::MakeStatusBar() {
    m_statusBar = new QStatusBar(m_body);
    LockKeyIndicators::AddTo(*m_statusBar);
    m_body->setStatusBar(m_statusBar);
    m_commands.ShowPromptsIn(m_statusBar);
    connect(m_view, &CFmtcaptureView::notice, m_statusBar, [this](const QString& text) {
        if (text.isEmpty())
            m_statusBar->clearMessage();
        else
            m_statusBar->showMessage(text);
    });
}

void CFmtcapturaFrm::ConnectCaptureFileCommands() {
    connect(m_commands.Action(CommandId::SaveCapture), &QAction::triggered, this,
            &CFmtcapturaFrm::SaveCapture);
    connect(m_commands.Action(CommandId::SaveCaptureAs), &QAction::triggered, this,
            &CFmtcapturaFrm::SaveCaptureAs);
    connect(m_commands.Action(CommandId::OpenCapturedData), &QAction::triggered, this,
            &CFmtcapturaFrm::LoadCapture);
    m_chooseFile = [this](CaptureDialog dialog, const QString& offered) {
        FileDialog::Request request;
        request.start = offered;
        request.mode =
            dialog == CaptureDialog::Save ? FileDialog::Mode::Save : FileDialog::Mode::Open;
        if (dialog == CaptureDialog::Batch) {
            request.filters = {QStringLiteral("Valores separados por comas (*.csv)"),
                               QStringLiteral("Todos los archivos (*)")};
            request.title = QStringLiteral("Imprimir lote desde CSV");
        } else {
            request.filters = {QStringLiteral("Captura (*.cap)")};
            request.defaultSuffix = QStringLiteral("cap");
        }
        return FileDialog::Ask(this, request);
    };
    m_tell = [this](const QString& message) {
        QMessageBox::warning(this, UserMessage::Title(), message, QMessageBox::Ok);
    };
}

QString CFmtcapturaFrm::ChooseCaptureFile(CaptureDialog dialog, const QString& offered) {
    return m_chooseFile ? m_chooseFile(dialog, offered) : QString();
}

QString CFmtcapturaFrm::OfferedFile(const QString& suffix) const {
    return DefaultFileName::ForValues(Path(), m_document->Controls(), suffix);
}

bool CFmtcapturaFrm::SaveCapture() {
    QString path = m_document->CapturedDataPath();
    if (path.isEmpty())
        path = ChooseCaptureFile(CaptureDialog::Save, OfferedFile(QStringLiteral("cap")));
    return !path.isEmpty() && WriteCapture(path);
}

bool CFmtcapturaFrm::SaveCaptureAs() {
    const QString path = ChooseCaptureFile(CaptureDialog::Save, OfferedFile(QStringLiteral("cap")));
    return !path.isEmpty() && WriteCapture(path);
}

bool CFmtcapturaFrm::WriteCapture(const QString& path) {
    QString refusal;
    std::optional<DocumentLock::Claim> claim = m_captureLock.ClaimForSaving(path, refusal);
    if (!claim) {
        Tell(refusal);
        return false;
    }
    // The file becomes the current one even when the write fails, and the lock goes with it.
    bool saved = true;
    try {
        m_document->SaveCapturedData(path);
        m_recovery->Clean();
    } catch (const PlenovaError& e) {
        Tell(e.Message());
        saved = false;
    }
    m_captureLock.Keep(std::move(*claim));
    return saved;
}

void CFmtcapturaFrm::LoadCapture() {
    if (!MayDiscardValues())
        return;
    const QString folder = Path().isEmpty() ? QString() : QFileInfo(Path()).absolutePath();
    const QString path = ChooseCaptureFile(CaptureDialog::Open, folder);
    if (!path.isEmpty())
        LoadCaptureFrom(path);
}

void CFmtcapturaFrm::ClearCapture() {
    if (MayDiscardValues())
        m_document->ClearValues();
}

bool CFmtcapturaFrm::MayDiscardValues() {
    const QString& file = m_document->CapturedDataPath();
    const QString question = file.isEmpty()
                                 ? QStringLiteral("¿Desea guardar los datos capturados?")
                                 : QStringLiteral("¿Desea guardar los datos capturados en %1?")
                                       .arg(QFileInfo(file).fileName());
    return SaveQuestion::MayLose(this, m_document->HasChanges(), question, m_askSave,
                                 [this] { return SaveCapture(); });
}

void CFmtcapturaFrm::closeEvent(QCloseEvent* event) {
    if (!MayDiscardValues()) {
        event->ignore();
        return;
    }
    m_captureLock.Release();
    QMdiSubWindow::closeEvent(event);
}

bool CFmtcapturaFrm::LoadCaptureFrom(const QString& path) {
    DocumentLock::Claim claim = m_captureLock.ClaimQuietly(path);
    bool loaded = true;
    try {
        m_document->LoadCapturedData(path);
    } catch (const PlenovaError& e) {
        Tell(e.Message());
        loaded = false;
    }
    // The lock follows the current file, which a file of this format is even when damaged.
    if (QFileInfo(m_document->CapturedDataPath()).absoluteFilePath() == claim.path)
        m_captureLock.Keep(std::move(claim));
    return loaded;
}

bool CFmtcapturaFrm::RecoverValues(const RecoveryFile& file) {
    // The values on disk are the saved ones the recovered values are changes to; a file gone
    // since leaves the empty format as that.
    if (!file.capturePath.isEmpty() && QFileInfo::exists(file.capturePath)) {
        try {
            m_document->LoadCapturedData(file.capturePath);
        } catch (const PlenovaError&) {
            // What is recovered replaces its values anyway.
        }
    }
    try {
        m_document->RecoverValues(file.state, file.capturePath,
                                  QStringLiteral("Los datos recuperados de %1")
                                      .arg(QFileInfo(file.formatPath).fileName()));
    } catch (const PlenovaError& e) {
        Tell(e.Message());
        return false;
    }
    // Kept again at once: the file it came from goes once every window is back.
    m_recovery->Keep();
    return true;
}

QStringList CFmtcapturaFrm::OpenFormat(const QString& path) {
    QStringList warnings = m_document->OpenFormat(path);
    // Another format starts without a captured-data file.
    m_captureLock.Release();
    m_paperChosen = false;
    UpdateTitle();
    emit formatOpened(path);
    return warnings;
}

void CFmtcapturaFrm::UpdateTitle() {
    const QString shown =
        Path().isEmpty() ? QStringLiteral("(nuevo)") : QDir::toNativeSeparators(Path());
    setWindowTitle(QStringLiteral("Pantalla de captura - %1").arg(shown));
    emit captionChanged(this);
}

void CFmtcapturaFrm::FitToScreen(const QSize& room) {
    const QSize screen = m_view->Screen()->size();
    const int frame = 2 * m_view->frameWidth();
    const QSize body(screen.width() + frame, screen.height() + frame +
                                                 m_toolBar->sizeHint().height() +
                                                 m_statusBar->sizeHint().height());
    const QSize decoration = (sizeHint() - m_body->sizeHint()).expandedTo(QSize(0, 0));
    resize((body + decoration).boundedTo(room).expandedTo(minimumSizeHint()));
}

void CFmtcapturaFrm::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    UpdateTitle();
}

void CFmtcapturaFrm::ConnectPrinting() {
    for (CommandId id :
         {CommandId::Print, CommandId::PrintBatch, CommandId::PrintSetup, CommandId::Margins})
        m_commands.Action(id)->setEnabled(true);
    connect(m_commands.Action(CommandId::Print), &QAction::triggered, this,
            [this] { PrintFormat(); });
    connect(m_commands.Action(CommandId::PrintBatch), &QAction::triggered, this,
            [this] { PrintBatch(); });
    connect(m_commands.Action(CommandId::PrintSetup), &QAction::triggered, this,
            [this] { SetUpPrinter(); });
    connect(m_commands.Action(CommandId::Margins), &QAction::triggered, this,
            [this] { EditMargins(); });
    m_runMargins = [](MarginsDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
}

QPrinter& CFmtcapturaFrm::Printer() {
    if (!m_printer)
        m_printer = PrinterSettings::MakePrinter();
    // The printer may be shared with windows of other formats: the paper is laid on each time.
    const PlenovaSettings& own = m_document->OwnSettings();
    if (own.NamesPaper() && !m_paperChosen) {
        m_printer->setPageOrientation(own.paper.landscape ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
        m_printer->setPageSize(own.paper.PageSize());
    }
    return *m_printer;
}

bool CFmtcapturaFrm::MayPrintUnreadNumbers(const QString& ask) {
    const std::vector<UnreadNumbers::Place> unread = m_document->FindUnreadNumbers();
    if (unread.empty())
        return true;
    const QString question = UnreadNumbers::Question(unread, ask);
    if (m_ask)
        return m_ask(question);
    return QMessageBox::question(this, UserMessage::Title(), question,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool CFmtcapturaFrm::ChoosePrinter(QPrinter& printer, const QString& offeredFile) {
    // The job carries the application's title, whatever the format is called.
    printer.setDocName(QStringLiteral("Plenovixalia"));
    printer.setCopyCount(1);
    return PrinterDialogs::ChoosePrinter(printer, this, offeredFile);
}

bool CFmtcapturaFrm::PrintFormat() {
    if (!MayPrintUnreadNumbers(QStringLiteral("¿Desea imprimir de todos modos?")))
        return false;
    QPrinter& printer = Printer();
    if (!ChoosePrinter(printer, OfferedFile(QStringLiteral("pdf"))))
        return false;
    return m_document->Print(printer, FormatPrinter::Offsets::FromSettings());
}

bool CFmtcapturaFrm::PrintBatch() {
    const QString path = ChooseCaptureFile(CaptureDialog::Batch);
    if (path.isEmpty() || Path().isEmpty())
        return false;
    try {
        const CsvTable table = CsvTable::Read(path);
        BatchFill batch(Path());
        QProgressDialog progress(QStringLiteral("Revisando los valores del lote..."),
                                 QStringLiteral("Cancelar"), 0, static_cast<int>(table.RowCount()),
                                 this);
        progress.setWindowTitle(QStringLiteral("Imprimir lote"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        const auto report = [&progress](int done, int) {
            progress.setValue(done);
            return !progress.wasCanceled();
        };
        // Paper that has started cannot be taken back: every row is checked first.
        if (batch.Check(table, report) == BatchFill::Outcome::Stopped)
            return false;
        progress.reset();
        QPrinter& printer = Printer();
        const QString job = QStringLiteral("lote-") + QFileInfo(path).completeBaseName();
        if (!ChoosePrinter(printer, DefaultFileName::ForJob(Path(), job, QStringLiteral("pdf"))))
            return false;
        progress.setLabelText(QStringLiteral("Imprimiendo el lote..."));
        // The same figures a batch on the command line shows: sheets, sheets a second, time left.
        BatchProgress figures(static_cast<int>(table.RowCount()));
        QElapsedTimer clock;
        clock.start();
        const auto printing = [&progress, &figures, &clock](int done, int) {
            if (figures.Done(done, clock.elapsed()))
                progress.setLabelText(QStringLiteral("Imprimiendo: %1").arg(figures.Text()));
            progress.setValue(done);
            return !progress.wasCanceled();
        };
        const BatchFill::Outcome outcome =
            batch.Run(table,
                      BatchFill::Output{&printer,
                                        FormatPrinter::Offsets::FromSettings(),
                                        {},
                                        [&printer] { printer.abort(); }},
                      printing);
        if (outcome == BatchFill::Outcome::PrinterFailed)
            Tell(QStringLiteral("No se pudo imprimir el lote."));
        return outcome == BatchFill::Outcome::Done;
    } catch (const PlenovaError& e) {
        Tell(e.Message());
        return false;
    }
}

void CFmtcapturaFrm::ConnectPreviewAndExport() {
    connect(m_commands.Action(CommandId::Preview), &QAction::triggered, this,
            [this] { PreviewFormat(); });
    connect(m_commands.Action(CommandId::ExportPdf), &QAction::triggered, this,
            [this] { ExportPdf(); });
    connect(m_commands.Action(CommandId::CalibrationSheet), &QAction::triggered, this,
            [this] { PrintCalibrationSheet(); });
    m_choosePdf = [this](const QString& offered) {
        FileDialog::Request request;
        request.mode = FileDialog::Mode::Save;
        request.filters = {QStringLiteral("PDF (*.pdf)")};
        request.defaultSuffix = QStringLiteral("pdf");
        request.title = QStringLiteral("Exportar a PDF");
        request.start = offered;
        return FileDialog::Ask(this, request);
    };
}

bool CFmtcapturaFrm::PreviewFormat() {
    if (!MayPrintUnreadNumbers(QStringLiteral("¿Desea ver la vista preliminar de todos modos?")))
        return false;
    QPrinter& printer = Printer();
    printer.setDocName(QStringLiteral("Plenovixalia"));
    printer.setCopyCount(1);
    // A format laid out over a picture of its stationery shows the page over it, so that the
    // user sees where the ink will fall on the paper.
    ReferenceBackdrop backdrop;
    if (m_commands.Action(CommandId::PreviewBackdrop)->isChecked() && !Path().isEmpty()) {
        const QString problem = backdrop.LoadFor(Path(), &PdfPageTool::RenderPage);
        if (!problem.isEmpty())
            Tell(problem);
    }
    // The offsets are read as the page is drawn, as a print reads them.
    const auto paint = [this, &backdrop](QPrinter& shown) {
        const FormatPrinter::Offsets offsets = FormatPrinter::Offsets::FromSettings();
        // The preview records its pages as pictures; a print started from the preview window
        // goes to the printer itself, and the backdrop never goes onto paper.
        const bool onScreen =
            shown.paintEngine() && shown.paintEngine()->type() == QPaintEngine::Picture;
        if (backdrop.IsSet() && onScreen)
            FormatPrinter::PrintOverBackdrop(shown, m_document->Controls(), offsets, backdrop);
        else
            m_document->Print(shown, offsets);
    };
    return PrinterDialogs::Preview(printer, this, paint, OfferedFile(QStringLiteral("pdf")));
}

bool CFmtcapturaFrm::ExportPdf() {
    if (!MayPrintUnreadNumbers(QStringLiteral("¿Desea exportar el PDF de todos modos?")))
        return false;
    const QString path = m_choosePdf ? m_choosePdf(OfferedFile(QStringLiteral("pdf"))) : QString();
    return !path.isEmpty() && ExportPdfTo(path);
}

bool CFmtcapturaFrm::ExportPdfTo(const QString& path) {
    // Qt prints a PDF at 1200 dpi, whether through the print dialog or here.
    constexpr int kPdfDpi = 1200;
    const FormatPrinter::Offsets offsets = FormatPrinter::Offsets::FromSettings();
    try {
        PdfSheet::Write(path, Printer().pageLayout(), kPdfDpi,
                        [this, offsets](QPagedPaintDevice& printer) {
                            return m_document->Print(printer, offsets);
                        });
        return true;
    } catch (const PlenovaError& e) {
        Tell(e.Message());
        return false;
    }
}

void CFmtcapturaFrm::Tell(const QString& message) {
    if (m_tell)
        m_tell(message);
}

bool CFmtcapturaFrm::PrintCalibrationSheet() {
    QPrinter& printer = Printer();
    const QString offered =
        DefaultFileName::ForJob(Path(), QStringLiteral("calibración"), QStringLiteral("pdf"));
    if (!ChoosePrinter(printer, offered))
        return false;
    return CalibrationPage(FormatPrinter::Offsets::FromSettings()).Print(printer);
}

bool CFmtcapturaFrm::SetUpPrinter() {
    try {
        const bool chosen = PrinterDialogs::SetUpPage(Printer(), this);
        m_paperChosen = m_paperChosen || chosen;
        return chosen;
    } catch (const FileError& e) {
        m_paperChosen = true;
        // The printer is set for this session; only the next start will not find it so.
        Tell(e.Message());
        return true;
    }
}

void CFmtcapturaFrm::WriteOffsets(int facX, int facY) {
    Profile profile;
    profile.WriteInt(QStringLiteral("Config"), QStringLiteral("FacX"), facX);
    profile.WriteInt(QStringLiteral("Config"), QStringLiteral("FacY"), facY);
    // Offsets that did not reach the settings file would be gone at the next start: the user
    // must know, though this session prints with them.
    try {
        profile.Sync();
    } catch (const FileError& e) {
        Tell(e.Message());
    }
}

bool CFmtcapturaFrm::EditMargins() {
    const FormatPrinter::Offsets current = FormatPrinter::Offsets::FromSettings();
    MarginsDialog dialog(current.facX, current.facY, this);
    if (!m_runMargins || !m_runMargins(dialog))
        return false;
    const MarginsDialog::Choice chosen = dialog.Chosen();
    WriteOffsets(chosen.facX, chosen.facY);
    // A window that has no format yet has nothing to build the offsets into.
    if (chosen.permanent && !Path().isEmpty())
        BuildOffsetsIntoFormat(chosen.facX, chosen.facY);
    return true;
}

bool CFmtcapturaFrm::BuildOffsetsIntoFormat(int facX, int facY) {
    // The format is written back here: not while someone is designing it, whose next save
    // would undo the shift or whose work this would overwrite. Locked only for the write.
    FormatLock formatLock;
    if (formatLock.Take(Path()) == FormatLock::Result::Held) {
        Tell(FormatLock::WhoHolds(Path()));
        return false;
    }
    QStringList warnings;
    try {
        warnings = m_document->BuildOffsetsIntoFormat(facX, facY);
    } catch (const PlenovaError& e) {
        // The offsets stay in the settings, and the format where its file has it.
        Tell(e.Message());
        return false;
    }
    WriteOffsets(0, 0);
    if (!warnings.isEmpty())
        Tell(warnings.join(QLatin1Char('\n')));
    return true;
}

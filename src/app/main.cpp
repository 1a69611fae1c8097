// plenova: the desktop application. A format named on the command line opens for capture, with
// --design in a design window, or with --screen in a window that arranges its capture screen;
// captured data (.cap) open with the format they belong to.
//
//   plenova [FILE.fmt [--cap DATA.cap]]
//   plenova DATA.cap
//   plenova --design [FILE.fmt]
//   plenova --screen FILE.fmt
//   plenova (--design | --screen) --zoom PERCENT ...
//   plenova --preview FILE.fmt [--cap DATA.cap]
//   plenova --grab OUT.png [--design | --screen] [FILE.fmt [--cap DATA.cap] | DATA.cap]
//                         --grab lays the main window out at 1280 x 800, writes it as a picture
//                         once it is painted, and exits; the exit status is 1 when the format
//                         or the captured data could not be read. --cap loads captured values
//                         into the format's window, as "Abrir datos capturados" does. A .cap
//                         alone opens the format whose name it records, found beside it or in
//                         the folder of a recent format.
#include "app/ApplicationIcon.h"
#include "capture/CFmtcapturaFrm.h"
#include "capture/PrinterDialogs.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/CFmtdesignView.h"
#include "platform/DiagnosticMessages.h"
#include "platform/FileError.h"
#include "platform/PlenovaError.h"
#include "platform/Profile.h"
#include "platform/RecoveryKeeper.h"
#include "platform/RecoveryStore.h"
#include "platform/SafeFile.h"
#include "platform/TerminalText.h"
#include "screen_designer/CFmtpantallaFrm.h"
#include "screen_designer/CFmtpantallaView.h"
#include "shell/CMainFrame.h"
#include "shell/CPlenovaApp.h"
#include "shell/CSplashWnd.h"
#include "shell/CapturedDataFormat.h"
#include "shell/RecoveryOffer.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPixmap>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

namespace {

constexpr int kGrabWidth = 1280;
constexpr int kGrabHeight = 800;
constexpr int kLongestWaitMs = 5000;

// What the command line asks to open once the main window is up: one kind of child window,
// with a format (none for a new design) and, for capture, captured values to load into it.
struct OpenRequest {
    enum class Window { None, Capture, Design, Screen };
    Window window = Window::None;
    QString format;
    QString data;
    // The zoom of a design window in percent; 0 leaves it at true size.
    int zoom = 0;
    // The capture window's "Vista preliminar" once the format is open.
    bool preview = false;
};

// Opens what was asked for; false when the format or the captured data could not be read (the
// window then says why).
bool Open(CMainFrame& frame, const OpenRequest& request) {
    switch (request.window) {
    case OpenRequest::Window::None:
        return true;
    case OpenRequest::Window::Design: {
        CFmtdesignFrm* child =
            request.format.isEmpty() ? frame.NewDesign() : frame.OpenForDesign(request.format);
        if (child && request.zoom)
            child->View()->SetZoom(request.zoom);
        return child || request.format.isEmpty();
    }
    case OpenRequest::Window::Screen: {
        CFmtpantallaFrm* child = frame.OpenForScreenDesign(request.format);
        if (child && request.zoom)
            child->View()->SetZoom(request.zoom);
        return child != nullptr;
    }
    case OpenRequest::Window::Capture: {
        CFmtcapturaFrm* child = frame.OpenForCapture(request.format);
        const bool loaded =
            child && (request.data.isEmpty() || child->LoadCaptureFrom(request.data));
        if (loaded && request.preview)
            child->PreviewFormat();
        return loaded;
    }
    }
    return false;
}

// The folders of the recent formats: where the format of captured data is looked for when it
// is not beside them.
QStringList RecentFolders() {
    Profile profile;
    QStringList folders;
    for (const QString& path : CPlenovaApp::RecentFormats(profile)) {
        if (!path.isEmpty())
            folders << QFileInfo(path).absolutePath();
    }
    return folders;
}

// Nobody watches a run without a screen: no start-up picture there.
bool HasScreen() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

// Waits until the window system has shown the window and every pending paint is done.
void WaitUntilPainted(QWidget& window) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kLongestWaitMs &&
           !(window.windowHandle() && window.windowHandle()->isExposed()))
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char** argv) {
    DiagnosticMessages::Install();
    CPlenovaApp::ReadSystemLocaleAsMexico();
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(PLENOVA_VERSION));
    QApplication::setWindowIcon(ApplicationIcon::Load());
    // Wayland shells match the window to its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("plenova"));
    CPlenovaApp plenova;
    // The parser's own texts (usage, the help option, its errors) come from Qt's translation.
    plenova.UseSpanish();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Diseño, captura e impresión de formatos"));
    // Our own help and version options rather than the parser's: Qt has no Spanish for their
    // descriptions, and its version answer would name the application the settings are kept
    // under rather than the product.
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("?"), QStringLiteral("help")},
        QStringLiteral("Muestra esta ayuda."));
    parser.addOption(help);
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Muestra la versión del programa."));
    parser.addOption(version);
    const QCommandLineOption grab(
        QStringLiteral("grab"),
        QStringLiteral("Guarda una imagen de la ventana principal en ARCHIVO y termina."),
        QStringLiteral("ARCHIVO"));
    parser.addOption(grab);
    const QCommandLineOption capture(
        QStringLiteral("cap"),
        QStringLiteral("Carga los datos capturados de ARCHIVO en la pantalla de captura."),
        QStringLiteral("ARCHIVO"));
    parser.addOption(capture);
    const QCommandLineOption design(
        QStringLiteral("design"),
        QStringLiteral("Abre el formato (o uno nuevo) en una ventana de diseño."));
    parser.addOption(design);
    const QCommandLineOption zoom(
        QStringLiteral("zoom"),
        QStringLiteral("Muestra la ventana de diseño al PORCENTAJE de su tamaño real (50 a 400)."),
        QStringLiteral("PORCENTAJE"));
    parser.addOption(zoom);
    const QCommandLineOption preview(
        QStringLiteral("preview"),
        QStringLiteral("Abre el formato para captura y muestra su vista preliminar (con --grab, "
                       "la imagen es la de la vista preliminar)."));
    parser.addOption(preview);
    const QCommandLineOption screen(
        QStringLiteral("screen"),
        QStringLiteral("Abre el formato en una ventana de diseño de su pantalla de captura."));
    parser.addOption(screen);
    parser.addPositionalArgument(
        QStringLiteral("archivo"),
        QStringLiteral("Formato (.fmt) que se abre para captura, o datos capturados (.cap) que "
                       "se abren con su formato."),
        QStringLiteral("[archivo]"));
    parser.process(app);
    if (parser.isSet(help)) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    if (parser.isSet(version)) {
        QTextStream(stdout) << "Plenova " << QCoreApplication::applicationVersion() << '\n';
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        QTextStream(stderr) << "plenova: se indica a lo más un archivo\n";
        return 2;
    }
    // The caption and the recent formats name the file wherever it was started from.
    const QString file =
        files.isEmpty() ? QString() : QFileInfo(files.constFirst()).absoluteFilePath();
    const bool isCaptureData = file.endsWith(QLatin1String(".cap"), Qt::CaseInsensitive);
    if (isCaptureData && (parser.isSet(capture) || parser.isSet(design) || parser.isSet(screen))) {
        QTextStream(stderr)
            << "plenova: los datos capturados se abren solos, sin --cap, --design ni --screen\n";
        return 2;
    }
    if (parser.isSet(design) && parser.isSet(screen)) {
        QTextStream(stderr) << "plenova: --design y --screen no van juntos\n";
        return 2;
    }
    if (parser.isSet(screen) && file.isEmpty()) {
        QTextStream(stderr) << "plenova: --screen necesita un formato\n";
        return 2;
    }
    if (parser.isSet(capture) && (file.isEmpty() || parser.isSet(design) || parser.isSet(screen))) {
        QTextStream(stderr) << "plenova: --cap necesita un formato abierto para captura\n";
        return 2;
    }
    OpenRequest request;
    if (parser.isSet(zoom)) {
        bool number = false;
        request.zoom = parser.value(zoom).toInt(&number);
        if (!number || request.zoom < 50 || request.zoom > 400 ||
            !(parser.isSet(design) || parser.isSet(screen))) {
            QTextStream(stderr)
                << "plenova: --zoom toma un porcentaje de 50 a 400 para --design o --screen\n";
            return 2;
        }
    }
    if (parser.isSet(preview) && (file.isEmpty() || parser.isSet(design) || parser.isSet(screen))) {
        QTextStream(stderr) << "plenova: --preview necesita un formato abierto para captura\n";
        return 2;
    }
    request.preview = parser.isSet(preview);
    if (parser.isSet(design)) {
        request.window = OpenRequest::Window::Design;
        request.format = file;
    } else if (parser.isSet(screen)) {
        request.window = OpenRequest::Window::Screen;
        request.format = file;
    } else if (!file.isEmpty()) {
        request.window = OpenRequest::Window::Capture;
        request.format = file;
        request.data = parser.value(capture);
    }

    plenova.InitInstance();
    CMainFrame& frame = *plenova.MainFrame();
    const bool grabbing = parser.isSet(grab);
    frame.SetUnattended(grabbing);
    frame.SetAsksNothing(grabbing);

    // Captured data open with their format, found once the settings (the recent formats) are
    // there.
    bool found = true;
    if (isCaptureData) {
        request.data = file;
        try {
            request.format = CapturedDataFormat::FormatFor(file, RecentFolders());
        } catch (const PlenovaError& e) {
            found = false;
            request.window = OpenRequest::Window::None;
            if (grabbing)
                QTextStream(stderr) << "plenova: " << TerminalText::Escaped(e.Message()) << '\n';
            else
                QTimer::singleShot(0, &frame,
                                   [&frame, message = e.Message()] { frame.ShowMessage(message); });
        }
    }

    if (!grabbing) {
        // Unsaved changes are kept from now on, so that a crash loses at most half a minute;
        // a screenshot changes nothing and keeps nothing.
        const QString recovery = RecoveryStore::DefaultFolder();
        RecoveryKeeper::SetFolder(recovery);
        frame.showMaximized();
        if (HasScreen())
            CSplashWnd::ShowSplashScreen(&frame);
        // Once the main window has taken its maximized size, so that the capture window can
        // take the room it needs; what a crash left unsaved is offered then.
        QTimer::singleShot(0, &frame, [&frame, request, recovery] {
            Open(frame, request);
            RecoveryOffer(frame, recovery).Run();
        });
        return QApplication::exec();
    }

    frame.resize(kGrabWidth, kGrabHeight);
    frame.show();
    // The preview is a dialog over the main window: its picture is taken while it shows.
    QPixmap previewPicture;
    if (request.preview)
        PrinterDialogs::ReplacePreviewDialog(
            [&previewPicture](QPrinter& printer, QWidget* parent,
                              const PrinterDialogs::Painter& paint) {
                QPrintPreviewDialog dialog(&printer, parent);
                dialog.setWindowTitle(QStringLiteral("Vista preliminar"));
                QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                                 [&paint](QPrinter* shown) { paint(*shown); });
                dialog.resize(kGrabWidth * 3 / 4, kGrabHeight);
                dialog.show();
                WaitUntilPainted(dialog);
                previewPicture = dialog.grab();
                return false;
            });
    const bool opened = Open(frame, request) && found;
    frame.activateWindow();
    WaitUntilPainted(frame);
    const QString out = parser.value(grab);
    try {
        // Encoded in memory first: the PNG library reports a failed write only on standard
        // error, in English.
        QBuffer encoded;
        encoded.open(QIODevice::WriteOnly);
        const QPixmap shot = previewPicture.isNull() ? frame.grab() : previewPicture;
        if (!shot.save(&encoded, "PNG"))
            throw FileError(out, QStringLiteral("no se pudo escribir"),
                            QStringLiteral("la imagen PNG no se pudo codificar"));
        SafeFile picture(out);
        picture.Open();
        picture.write(encoded.data());
        picture.Commit();
    } catch (const FileError& e) {
        QTextStream(stderr) << "plenova: " << TerminalText::Escaped(e.Message()) << '\n';
        return 1;
    }
    return opened ? 0 : 1;
}

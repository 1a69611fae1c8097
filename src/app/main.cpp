// plenova: the desktop application. A format named on the command line opens for capture, or
// with --design in a design window.
//
//   plenova [FILE.fmt [--cap DATA.cap]]
//   plenova --design [FILE.fmt]
//   plenova --grab OUT.png [--design] [FILE.fmt [--cap DATA.cap]]
//                         --grab lays the main window out at 1280 x 800, writes it as a picture
//                         once it is painted, and exits; the exit status is 1 when the format
//                         or the captured data could not be read. --cap loads captured values
//                         into the format's window, as "Abrir datos capturados" does.
#include "app/ApplicationIcon.h"
#include "capture/CFmtcapturaFrm.h"
#include "designer/CFmtdesignFrm.h"
#include "platform/DiagnosticMessages.h"
#include "platform/FileError.h"
#include "platform/SafeFile.h"
#include "shell/CMainFrame.h"
#include "shell/CPlenovaApp.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

namespace {

constexpr int kGrabWidth = 1280;
constexpr int kGrabHeight = 800;
constexpr int kLongestWaitMs = 5000;

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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plenova"));
    QApplication::setWindowIcon(ApplicationIcon::Load());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Diseño, captura e impresión de formatos"));
    parser.addHelpOption();
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
    parser.addPositionalArgument(QStringLiteral("formato"),
                                 QStringLiteral("Formato que se abre para captura."),
                                 QStringLiteral("[formato.fmt]"));
    parser.process(app);
    const QStringList formats = parser.positionalArguments();
    if (formats.size() > 1) {
        QTextStream(stderr) << "plenova: se indica a lo más un formato\n";
        return 2;
    }
    if (parser.isSet(capture) && (formats.isEmpty() || parser.isSet(design))) {
        QTextStream(stderr) << "plenova: --cap necesita un formato abierto para captura\n";
        return 2;
    }
    // The caption and the recent formats name the file wherever it was started from.
    const QString format =
        formats.isEmpty() ? QString() : QFileInfo(formats.constFirst()).absoluteFilePath();

    CPlenovaApp plenova;
    plenova.InitInstance();
    CMainFrame& frame = *plenova.MainFrame();
    const bool grabbing = parser.isSet(grab);
    frame.SetUnattended(grabbing);
    if (grabbing) {
        frame.resize(kGrabWidth, kGrabHeight);
        frame.show();
    } else {
        frame.showMaximized();
    }
    if (!grabbing) {
        // Once the main window has taken its maximized size, so that the capture window can
        // take the room it needs.
        if (parser.isSet(design))
            QTimer::singleShot(0, &frame, [&frame, format] {
                if (format.isEmpty())
                    frame.NewDesign();
                else
                    frame.OpenForDesign(format);
            });
        else if (!format.isEmpty())
            QTimer::singleShot(0, &frame, [&frame, format, data = parser.value(capture)] {
                CFmtcapturaFrm* child = frame.OpenForCapture(format);
                if (child && !data.isEmpty())
                    child->LoadCaptureFrom(data);
            });
        return QApplication::exec();
    }

    bool opened = true;
    if (parser.isSet(design)) {
        if (format.isEmpty())
            frame.NewDesign();
        else
            opened = frame.OpenForDesign(format) != nullptr;
    } else if (!format.isEmpty()) {
        CFmtcapturaFrm* child = frame.OpenForCapture(format);
        opened = child && (!parser.isSet(capture) || child->LoadCaptureFrom(parser.value(capture)));
    }
    frame.activateWindow();
    WaitUntilPainted(frame);
    const QString out = parser.value(grab);
    try {
        // Encoded in memory first: the PNG library reports a failed write only on standard
        // error, in English.
        QBuffer encoded;
        encoded.open(QIODevice::WriteOnly);
        if (!frame.grab().save(&encoded, "PNG"))
            throw FileError(out, QStringLiteral("no se pudo escribir"),
                            QStringLiteral("la imagen PNG no se pudo codificar"));
        SafeFile file(out);
        file.Open();
        file.write(encoded.data());
        file.Commit();
    } catch (const FileError& e) {
        QTextStream(stderr) << "plenova: " << e.Message() << '\n';
        return 1;
    }
    return opened ? 0 : 1;
}

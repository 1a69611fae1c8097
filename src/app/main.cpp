// plenova: the desktop application. A format named on the command line opens for capture.
//
//   plenova [FILE.fmt]
//   plenova --grab OUT.png [FILE.fmt]   lays the main window out at 1280 x 800, writes it as a
//                                       picture once it is painted, and exits; the exit
//                                       status is 1 when the format could not be read
#include "shell/CMainFrame.h"
#include "shell/CPlenovaApp.h"

#include <QApplication>
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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plenova"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Diseño, captura e impresión de formatos"));
    parser.addHelpOption();
    const QCommandLineOption grab(
        QStringLiteral("grab"),
        QStringLiteral("Guarda una imagen de la ventana principal en ARCHIVO y termina."),
        QStringLiteral("ARCHIVO"));
    parser.addOption(grab);
    parser.addPositionalArgument(QStringLiteral("formato"),
                                 QStringLiteral("Formato que se abre para captura."),
                                 QStringLiteral("[formato.fmt]"));
    parser.process(app);
    const QStringList formats = parser.positionalArguments();
    if (formats.size() > 1) {
        QTextStream(stderr) << "plenova: se indica a lo más un formato\n";
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
        if (!format.isEmpty())
            QTimer::singleShot(0, &frame, [&frame, format] { frame.OpenForCapture(format); });
        return QApplication::exec();
    }

    const bool opened = format.isEmpty() || frame.OpenForCapture(format);
    frame.activateWindow();
    WaitUntilPainted(frame);
    const QString out = parser.value(grab);
    if (!frame.grab().save(out, "PNG")) {
        QTextStream(stderr) << "plenova: no se pudo escribir " << out << '\n';
        return 1;
    }
    return opened ? 0 : 1;
}

// The captured-data loader against any bytes, as "Abrir datos capturados" runs it: into the
// capture documents of the example invoice and cheque, each opened once and shown on a capture
// screen. A file is loaded
// whole or not at all; once loaded, its values are recomputed as when the user leaves each
// field, printed and painted on the screen, and saved again to a file that must load back.
//
// The input is the .cap file itself. It names its format first: a file of the invoice is
// loaded into the invoice's screen, one of the cheque into the cheque's, and any other name is
// refused by both, as the window refuses a file of another format.
#include "FuzzCheck.h"
#include "capture/CFmtcaptureView.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "capture_model/CaptureDocument.h"
#include "capture_model/CaptureFileError.h"
#include "platform/Profile.h"
#include "platform/RecordingSurface.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

// A format being filled in, on its screen.
struct Screen {
    CaptureDocument document;
    CFmtcaptureView view{document};
};

QTemporaryDir* g_folder = nullptr;
std::array<Screen*, 2> g_screens;

QString InFolder(const char* name) {
    return g_folder->filePath(QString::fromLatin1(name));
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QByteArray SavedValues(CaptureDocument& document) {
    const QString path = InFolder("saved.cap");
    document.SaveCapturedData(path);
    return ReadFile(path);
}

Screen* OpenScreen(const char* formatFile) {
    auto* screen = new Screen;
    screen->view.resize(800, 600);
    screen->document.OpenFormat(
        QStringLiteral(PLENOVA_EXAMPLES_DIR "/%1").arg(QLatin1String(formatFile)));
    return screen;
}

// What the user does after opening a file: leaves each typed field in turn, and works out each
// table's totals (as deleting no rows does), so that every calculated field follows what was
// loaded.
void Recompute(CaptureDocument& document) {
    for (const auto& control : document.Controls()) {
        if (auto* line = dynamic_cast<CTextlineVar*>(control.get()); line && !line->IsCalculated())
            document.LeaveField(*line);
        else if (auto* table = dynamic_cast<CFmtGrid*>(control.get()))
            document.DeleteRows(*table, 1, 0);
    }
}

void PrintAndPaint(Screen& screen) {
    RecordingSurface printer(MapMode::LoMetric);
    for (const auto& control : screen.document.Controls())
        control->Print(printer);
    QImage image(screen.view.Screen()->size().boundedTo(QSize(800, 600)), QImage::Format_RGB32);
    screen.view.Screen()->render(&image);
}

// Loads the file into the screen; false when it belongs to another format.
bool LoadInto(Screen& screen, const QString& path) {
    CaptureDocument& document = screen.document;
    // "Limpiar" sets the date fields to the moment it runs: what a refused file must leave is
    // what was there just before.
    document.ClearValues();
    const QByteArray before = SavedValues(document);
    try {
        document.LoadCapturedData(path);
    } catch (const CaptureFileError& e) {
        if (e.GetCause() == CaptureFileError::Cause::WrongFormat)
            return false;
        FuzzCheck::Require(SavedValues(document) == before, "a file refused changed the values",
                           e.Message(), QString());
        return true;
    }
    Recompute(document);
    PrintAndPaint(screen);

    // What the screen saves it must load again.
    const QString again = InFolder("again.cap");
    document.SaveCapturedData(again);
    document.ClearValues();
    try {
        document.LoadCapturedData(again);
    } catch (const CaptureFileError& e) {
        FuzzCheck::Require(false, "a file just saved does not load", e.Message(), QString());
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    // The application reads and shows amounts in Mexican Spanish.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Mexico));
    g_folder = new QTemporaryDir;
    std::atexit([] { delete g_folder; });
    // Never the user's settings.
    Profile::UseFile(InFolder("settings.ini"));
    CaptureControlTypes::RegisterAll();
    g_screens = {OpenScreen("factura.fmt"), OpenScreen("cheque.fmt")};
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = InFolder("input.cap");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    for (Screen* screen : g_screens) {
        if (LoadInto(*screen, path))
            break;
    }
    return 0;
}

// The captured-data loader against any bytes, as "Abrir datos capturados" runs it: into the
// built capture screens of the example invoice and cheque, each opened once. A file is loaded
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
#include "capture_model/CalculatedFields.h"
#include "capture_model/CaptureControlTypes.h"
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

QTemporaryDir* g_folder = nullptr;
std::array<CFmtcaptureView*, 2> g_views;

QString InFolder(const char* name) {
    return g_folder->filePath(QString::fromLatin1(name));
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QByteArray SavedValues(CFmtcaptureView& view) {
    const QString path = InFolder("saved.cap");
    view.SaveCapturedData(path);
    return ReadFile(path);
}

CFmtcaptureView* OpenScreen(const char* formatFile) {
    auto* view = new CFmtcaptureView;
    view->resize(800, 600);
    view->OpenFormat(QStringLiteral(PLENOVA_EXAMPLES_DIR "/%1").arg(QLatin1String(formatFile)));
    return view;
}

// What the user does after opening a file: leaves each typed field in turn, and the tables
// report their cells, so that every calculated field is worked out from what was loaded.
void Recompute(CFmtcaptureView& view) {
    CalculatedFields& engine = *view.Calculation();
    for (const auto& control : view.Controls()) {
        if (auto* line = dynamic_cast<CTextlineVar*>(control.get()); line && !line->IsCalculated())
            engine.Recalculate(CalculatedFields::Identifier(*line));
        else if (auto* table = dynamic_cast<CFmtGrid*>(control.get()))
            engine.RecalculateTableTotals(*table);
    }
}

void PrintAndPaint(CFmtcaptureView& view) {
    RecordingSurface printer(MapMode::LoMetric);
    for (const auto& control : view.Controls())
        control->Print(printer);
    QImage image(view.Screen()->size().boundedTo(QSize(800, 600)), QImage::Format_RGB32);
    view.Screen()->render(&image);
}

// Loads the file into the screen; false when it belongs to another format.
bool LoadInto(CFmtcaptureView& view, const QString& path) {
    // "Limpiar" sets the date fields to the moment it runs: what a refused file must leave is
    // what was there just before.
    view.ClearValues();
    const QByteArray before = SavedValues(view);
    try {
        view.LoadCapturedData(path);
    } catch (const CaptureFileError& e) {
        if (e.GetCause() == CaptureFileError::Cause::WrongFormat)
            return false;
        FuzzCheck::Require(SavedValues(view) == before, "a file refused changed the values",
                           e.Message(), QString());
        return true;
    }
    Recompute(view);
    PrintAndPaint(view);

    // What the screen saves it must load again.
    const QString again = InFolder("again.cap");
    view.SaveCapturedData(again);
    view.ClearValues();
    try {
        view.LoadCapturedData(again);
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
    g_views = {OpenScreen("factura.fmt"), OpenScreen("cheque.fmt")};
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
    for (CFmtcaptureView* view : g_views) {
        if (LoadInto(*view, path))
            break;
    }
    return 0;
}

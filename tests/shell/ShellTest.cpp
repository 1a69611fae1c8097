#include "capture/CFmtcapturaFrm.h"
#include "capture/CFmtcaptureView.h"
#include "capture/PrinterDialogs.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "capture_model/CaptureDocument.h"
#include "commands/CommandId.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/DesignDocument.h"
#include "model/Format.h"
#include "model/FormatFile.h"
#include "model/FormatPrinter.h"
#include "platform/FormatLock.h"
#include "platform/Profile.h"
#include "screen_designer/CFmtpantallaFrm.h"
#include "screen_designer/ScreenDocument.h"
#include "shell/CMainFrame.h"
#include "shell/CPlenovaApp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The recent formats start empty in every case.
void ForgetRecentFormats(Profile& profile) {
    for (int i = 1; i <= CPlenovaApp::kRecentFormats; ++i)
        profile.WriteString("Config", QStringLiteral("Last%1").arg(i), QString());
}

QString EmptyFormat(const QTemporaryDir& dir, const QString& name) {
    Format format;
    FormatSettings settings;
    const QString path = dir.filePath(name);
    FormatFile::Save(path, format, settings);
    return path;
}

QStringList MenuTitles(QMainWindow& window) {
    QStringList titles;
    for (const QAction* action : window.menuBar()->actions())
        titles << action->text();
    return titles;
}

} // namespace

TEST(ShellTest, RecentFormatsKeepTheNewestFourOnce) {
    Profile profile;
    ForgetRecentFormats(profile);
    for (const char* path : {"A", "B", "C", "D", "E"})
        CPlenovaApp::AddRecentFormat(profile, path);
    EXPECT_EQ(CPlenovaApp::RecentFormats(profile), QStringList({"E", "D", "C", "B"}));
    CPlenovaApp::AddRecentFormat(profile, "C");
    EXPECT_EQ(CPlenovaApp::RecentFormats(profile), QStringList({"C", "E", "D", "B"}));
    CPlenovaApp::AddRecentFormat(profile, "C");
    EXPECT_EQ(CPlenovaApp::RecentFormats(profile), QStringList({"C", "E", "D", "B"}));
    // The comparison is exact: another spelling is another entry.
    CPlenovaApp::AddRecentFormat(profile, "c");
    EXPECT_EQ(CPlenovaApp::RecentFormats(profile), QStringList({"c", "C", "E", "D"}));
    CPlenovaApp::AddRecentFormat(profile, "");
    EXPECT_EQ(CPlenovaApp::RecentFormats(profile), QStringList({"c", "C", "E", "D"}));
}

TEST(ShellTest, FirstStartFillsTheDefaultFolder) {
    Profile profile;
    profile.WriteString("Config", "Path", QString());
    const QString folder = CPlenovaApp::ReadDefaultFolder(profile);
    EXPECT_EQ(folder, QDir::toNativeSeparators(QDir::currentPath()) + QDir::separator());
    EXPECT_EQ(profile.GetString("Config", "Path"), folder);
    profile.WriteString("Config", "Path", "/formas/");
    EXPECT_EQ(CPlenovaApp::ReadDefaultFolder(profile), "/formas/");
}

TEST(ShellTest, MainCaptionAndMenuFollowTheChildren) {
    QTemporaryDir dir;
    const QString factura = EmptyFormat(dir, "factura.fmt");
    const QString cheque = EmptyFormat(dir, "cheque.fmt");
    Profile profile;
    ForgetRecentFormats(profile);

    CMainFrame frame(dir.path());
    frame.SetUnattended(true);
    frame.resize(800, 600);
    frame.show();
    EXPECT_EQ(frame.windowTitle(), "PLENOVA ");
    EXPECT_EQ(MenuTitles(frame), QStringList({"&Archivo", "&Ver", "Ay&uda"}));

    CFmtcapturaFrm* first = frame.OpenForCapture(factura);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(frame.windowTitle(), "PLENOVA Pantalla de captura - " + factura);
    CFmtcapturaFrm* second = frame.OpenForCapture(cheque);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(frame.windowTitle(), "PLENOVA Pantalla de captura - " + cheque);
    first->UpdateTitle();
    EXPECT_EQ(frame.windowTitle(), "PLENOVA Pantalla de captura - " + factura);
    Profile reread;
    EXPECT_EQ(CPlenovaApp::RecentFormats(reread), QStringList({cheque, factura, "", ""}));

    // While a capture window is active its menu is the main menu.
    frame.MdiArea()->setActiveSubWindow(second);
    EXPECT_EQ(MenuTitles(frame), QStringList({"&Archivo", "&Ver", "Ve&ntana", "A&yuda"}));
    EXPECT_EQ(frame.menuBar()->actions().constFirst()->menu(), second->Menus().constFirst());

    // A maximized child leaves the main caption as it is.
    second->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(frame.windowTitle(), "PLENOVA Pantalla de captura - " + cheque);

    // A format that cannot be read is said and leaves an empty window.
    EXPECT_EQ(frame.OpenForCapture(dir.filePath("falta.fmt")), nullptr);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 3);
}

TEST(ShellTest, QtsOwnDialogsSpeakSpanish) {
    const QLocale before;
    {
        CPlenovaApp plenova;
        ASSERT_TRUE(plenova.UseSpanish());
        EXPECT_EQ(QLocale().name(), "es_MX");
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancelar");
    }
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    QLocale::setDefault(before);
}

TEST(ShellTest, GrabWritesThePaintedMainWindow) {
    QTemporaryDir dir;
    const QString factura = EmptyFormat(dir, "factura.fmt");
    const QString out = dir.filePath("pantalla.png");
    QProcess plenova;
    plenova.start(PLENOVA_EXECUTABLE, {"--grab", out, factura});
    ASSERT_TRUE(plenova.waitForFinished(60000));
    EXPECT_EQ(plenova.exitCode(), 0) << plenova.readAllStandardError().toStdString();
    const QImage picture(out);
    EXPECT_EQ(picture.size(), QSize(1280, 800));

    // With --preview the picture is the preview's, a dialog of its own size.
    const QString preview = dir.filePath("vista.png");
    plenova.start(PLENOVA_EXECUTABLE, {"--grab", preview, "--preview", factura});
    ASSERT_TRUE(plenova.waitForFinished(60000));
    EXPECT_EQ(plenova.exitCode(), 0) << plenova.readAllStandardError().toStdString();
    EXPECT_EQ(QImage(preview).size(), QSize(960, 800));
    // A zoom outside 50 to 400, or for a capture window, is refused before anything opens.
    for (const QStringList& args : {QStringList{"--design", "--zoom", "20", factura},
                                    QStringList{"--zoom", "200", factura}}) {
        plenova.start(PLENOVA_EXECUTABLE, QStringList{"--grab", out} + args);
        ASSERT_TRUE(plenova.waitForFinished(60000));
        EXPECT_EQ(plenova.exitCode(), 2);
    }
}

TEST(ShellTest, UnattendedRunOpensAFormatSomeoneHasOpenReadOnlyAndSaysSo) {
    QTemporaryDir dir;
    const QString factura = EmptyFormat(dir, "factura.fmt");
    FormatLock held;
    ASSERT_EQ(held.Take(factura), FormatLock::Result::Taken);
    QProcess plenova;
    plenova.start(PLENOVA_EXECUTABLE,
                  {"--grab", dir.filePath("pantalla.png"), "--design", factura});
    ASSERT_TRUE(plenova.waitForFinished(60000));
    const QString said = QString::fromUtf8(plenova.readAllStandardError());
    EXPECT_EQ(plenova.exitCode(), 0) << said.toStdString();
    EXPECT_TRUE(said.startsWith("factura.fmt está abierto por ")) << said.toStdString();
    EXPECT_TRUE(said.contains(". Se abre de solo lectura.\n")) << said.toStdString();
    // The lock stays this process's: the other run only looked.
    EXPECT_EQ(FormatLock::HolderOf(factura)->pid, QCoreApplication::applicationPid());
}

TEST(ShellTest, PrinterSetUpIsTheApplicationsForEveryCaptureWindow) {
    QTemporaryDir dir;
    const QString factura = EmptyFormat(dir, "factura.fmt");
    Profile profile;
    ForgetRecentFormats(profile);
    CMainFrame frame(dir.path());
    frame.SetUnattended(true);

    QList<QPrinter*> setUp;
    PrinterDialogs::ReplacePageSetupDialog([&setUp](QPrinter& printer, QWidget*) {
        setUp << &printer;
        return true;
    });
    QAction* mainSetUp = frame.CommandAction(CommandId::PrintSetup);
    EXPECT_EQ(mainSetUp->text(), "Con&figurar impresora...");
    EXPECT_TRUE(mainSetUp->isEnabled());
    mainSetUp->trigger();
    CFmtcapturaFrm* capture = frame.OpenForCapture(factura);
    ASSERT_NE(capture, nullptr);
    QAction* captureSetUp = capture->CommandAction(CommandId::PrintSetup);
    EXPECT_TRUE(captureSetUp->isEnabled());
    captureSetUp->trigger();
    PrinterDialogs::ReplacePageSetupDialog({});
    EXPECT_EQ(setUp, QList<QPrinter*>({&frame.Printer(), &frame.Printer()}));
    EXPECT_EQ(&capture->Printer(), &frame.Printer());
}

TEST(ShellTest, LeavingAsksForEveryCaptureWindowWithChangedValues) {
    CaptureControlTypes::RegisterAll();
    QTemporaryDir dir;
    Format format;
    auto field = CTextlineVar::Create(100, -100);
    field->screenRect = ScreenRect{100, 20, 300, 40};
    field->captureOrder = 1;
    format.controls.push_back(std::move(field));
    const QString path = dir.filePath("recibo.fmt");
    FormatFile::Save(path, format, FormatSettings());
    Profile profile;
    ForgetRecentFormats(profile);
    CMainFrame frame(dir.path());
    frame.SetUnattended(true);
    frame.show();

    // Two windows on the format; only the one with a typed value asks, and in turn.
    CFmtcapturaFrm* untouched = frame.OpenForCapture(path);
    CFmtcapturaFrm* typed = frame.OpenForCapture(path);
    ASSERT_TRUE(untouched && typed);
    qobject_cast<QLineEdit*>(typed->View()->EntryWidget(1174))->setText("100");
    QStringList asked;
    auto answer = SaveQuestion::Answer::Cancel;
    for (CFmtcapturaFrm* window : {untouched, typed}) {
        window->SetSaveAsker([&asked, &answer](const QString& question) {
            asked << question;
            return answer;
        });
    }
    EXPECT_FALSE(frame.close());
    EXPECT_EQ(asked, QStringList({"¿Desea guardar los datos capturados?"}));
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 2);

    answer = SaveQuestion::Answer::Discard;
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(asked.size(), 2);
    // The windows go once the event loop is back.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
}

TEST(ShellTest, DesignWindowsComeFromTheMainMenuAndTheirChangesAreAskedFor) {
    QTemporaryDir dir;
    Profile profile;
    ForgetRecentFormats(profile);
    CMainFrame frame(dir.path());
    frame.SetUnattended(true);
    frame.resize(1000, 700);
    frame.show();

    frame.CommandAction(CommandId::NewDesign)->trigger();
    ASSERT_EQ(frame.MdiArea()->subWindowList().size(), 1);
    auto* design = qobject_cast<CFmtdesignFrm*>(frame.MdiArea()->subWindowList().constFirst());
    ASSERT_NE(design, nullptr);
    frame.MdiArea()->setActiveSubWindow(design);
    EXPECT_EQ(frame.windowTitle(), "PLENOVA Diseño de formato - (nuevo)");
    EXPECT_EQ(MenuTitles(frame), QStringList({"&Archivo", "&Edición", "&Ver", "&Insertar",
                                              "&Formato", "Ve&ntana", "A&yuda"}));

    // Leaving the application asks for the window with changes, and a cancel keeps it open.
    design->Document().Insert(ControlTypeCode::ConsText, Point{100, -100});
    int asked = 0;
    auto answer = CFmtdesignFrm::SaveAnswer::Cancel;
    design->SetSaveQuestion([&](const QString& name) {
        ++asked;
        EXPECT_EQ(name, "(nuevo)");
        return answer;
    });
    EXPECT_FALSE(frame.close());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 1);

    // Saved under a name, the format is among the recent formats.
    const QString path = dir.filePath("nuevo.fmt");
    design->SetFileChooser([&path](CFmtdesignFrm::FormatDialog) { return path; });
    answer = CFmtdesignFrm::SaveAnswer::Save;
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(QFile::exists(path));
    Profile reread;
    EXPECT_EQ(CPlenovaApp::RecentFormats(reread).constFirst(), path);
}

TEST(ShellTest, AFormatMadeInTheDesignerOpensForCaptureAndPrints) {
    CaptureControlTypes::RegisterAll();
    QTemporaryDir dir;
    const QString bmp = dir.filePath("sello.bmp");
    {
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        ASSERT_TRUE(picture.save(bmp, "BMP"));
    }
    CMainFrame frame(dir.path());
    frame.SetUnattended(true);
    frame.resize(1000, 700);
    frame.show();
    CFmtdesignFrm* design = frame.NewDesign();
    DesignDocument& doc = design->Document();
    int y = -100;
    for (int code = 0; code <= 11; ++code, y -= 150) {
        const auto type = static_cast<ControlTypeCode>(code);
        ASSERT_NE(
            doc.Insert(type, Point{100, y}, type == ControlTypeCode::Imagen ? bmp : QString()),
            nullptr)
            << code;
    }
    const QString path = dir.filePath("todo.fmt");
    design->SetFileChooser([&path](CFmtdesignFrm::FormatDialog) { return path; });
    ASSERT_TRUE(design->Save());

    // Opened again in the designer, once the first window went, and saved again, it keeps its
    // bytes.
    design->close();
    CFmtdesignFrm* again = frame.OpenForDesign(path);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Document().Controls().size(), 12u);
    const QString second = dir.filePath("todo2.fmt");
    again->SetFileChooser([&second](CFmtdesignFrm::FormatDialog) { return second; });
    ASSERT_TRUE(again->SaveAs());
    QFile saved(path), resaved(second);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly) && resaved.open(QIODevice::ReadOnly));
    EXPECT_EQ(resaved.readAll(), saved.readAll());

    CFmtcapturaFrm* capture = frame.OpenForCapture(second);
    ASSERT_NE(capture, nullptr);
    const QImage page =
        capture->Document().PrintToImage(QSizeF(215.9, 279.4), 100, FormatPrinter::Offsets());
    ASSERT_FALSE(page.isNull());
    // Something of the format is on the paper: the constant text, the boxes, the lines.
    int ink = 0;
    for (int row = 0; row < page.height(); ++row)
        for (int column = 0; column < page.width(); ++column)
            ink += qGray(page.pixel(column, row)) < 128;
    EXPECT_GT(ink, 1000);
}

TEST(ShellTest, CaptureScreenDesignWindowsOpenWithoutAKeyAndAskBeforeLosingChanges) {
    CaptureControlTypes::RegisterAll();
    QTemporaryDir dir;
    Profile profile;
    ForgetRecentFormats(profile);
    CMainFrame frame(dir.path());
    frame.SetUnattended(true);
    frame.resize(1000, 700);
    frame.show();
    EXPECT_TRUE(frame.CommandAction(CommandId::OpenForScreenDesign)->isEnabled());

    // A format locked with a key opens here without being asked for it.
    Format format;
    auto field = CTextlineVar::Create(100, -100);
    field->screenRect = ScreenRect{100, 20, 300, 40};
    field->captureOrder = 1;
    format.controls.push_back(std::move(field));
    FormatSettings locked;
    locked.key = "secreto";
    const QString path = dir.filePath("llave.fmt");
    FormatFile::Save(path, format, locked);
    CFmtpantallaFrm* screen = frame.OpenForScreenDesign(path);
    ASSERT_NE(screen, nullptr);
    frame.MdiArea()->setActiveSubWindow(screen);
    EXPECT_EQ(frame.windowTitle(), "PLENOVA Diseño de pantalla - " + path);
    EXPECT_EQ(MenuTitles(frame),
              QStringList({"&Archivo", "&Edición", "&Ver", "&Formato", "Ve&ntana", "A&yuda"}));
    EXPECT_EQ(CPlenovaApp::RecentFormats(profile).constFirst(), path);

    // A format that cannot be read leaves no window behind.
    EXPECT_EQ(frame.OpenForScreenDesign(dir.filePath("no-existe.fmt")), nullptr);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 1);

    // Leaving asks for the arrangement not yet saved; a cancel keeps everything open.
    screen->Document().Select(0);
    screen->Document().MoveSelected(8, 0);
    int asked = 0;
    screen->SetSaveAsker([&asked](const QString& name) {
        ++asked;
        EXPECT_EQ(name, "llave.fmt");
        return CFmtpantallaFrm::SaveAnswer::Cancel;
    });
    EXPECT_FALSE(frame.close());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 1);
}

#include "capture/CFmtcapturaFrm.h"
#include "capture_model/CaptureFileError.h"
#include "commands/CommandId.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/DesignDocument.h"
#include "model/Format.h"
#include "model/FormatFile.h"
#include "platform/Archive.h"
#include "platform/Profile.h"
#include "platform/SafeFile.h"
#include "shell/CAboutDlg.h"
#include "shell/CMainFrame.h"
#include "shell/CMdiClient.h"
#include "shell/CPlenovaApp.h"
#include "shell/CSplashWnd.h"
#include "shell/CapturedDataFormat.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QString WriteFormat(const QString& path) {
    Format format;
    FormatSettings settings;
    FormatFile::Save(path, format, settings);
    return path;
}

// Captured data with no values, recorded for the format named formatName.
QString WriteCaptureData(const QString& path, const QString& formatName) {
    SafeFile file(path);
    file.Open();
    Archive ar(file, Archive::Mode::Store);
    ar.WriteString(formatName);
    ar.Flush();
    file.Commit();
    return path;
}

// Runs the application on a file and says whether it came up with it open.
int RunPlenova(const QTemporaryDir& dir, const QStringList& args, QString* errors = nullptr) {
    QProcess plenova;
    plenova.start(PLENOVA_EXECUTABLE, QStringList{"--grab", dir.filePath("pantalla.png")} + args);
    if (!plenova.waitForFinished(60000))
        return -1;
    if (errors)
        *errors = QString::fromUtf8(plenova.readAllStandardError());
    return plenova.exitCode();
}

} // namespace

TEST(StartUpTest, InitInstanceKeepsTheSettingsWhereTheyWereAndFillsTheFolderOnce) {
    Profile profile;
    profile.WriteString("Config", "Path", QString());
    profile.Sync();
    const QString before = QDir::currentPath();
    // The root already ends in the separator and gets no second one.
    ASSERT_TRUE(QDir::setCurrent(QDir::rootPath()));
    {
        CPlenovaApp plenova;
        plenova.InitInstance();
        EXPECT_EQ(plenova.DefaultFolder(), QDir::toNativeSeparators(QDir::rootPath()));
        EXPECT_EQ(Profile().GetString("Config", "Path"), plenova.DefaultFolder());
        EXPECT_EQ(QCoreApplication::organizationName(), "Tarvel Soft");
        EXPECT_EQ(QCoreApplication::applicationName(), "Plenovixalia");
        ASSERT_NE(plenova.MainFrame(), nullptr);
        EXPECT_EQ(plenova.MainFrame()->windowTitle(), "PLENOVA ");
    }
    QDir::setCurrent(before);
    // Later starts keep the folder the first one wrote, wherever they start from.
    CPlenovaApp again;
    again.InitInstance();
    EXPECT_EQ(again.DefaultFolder(), QDir::toNativeSeparators(QDir::rootPath()));
}

TEST(StartUpTest, TheSplashGoesAtTheFirstKeyOrButtonOrAfterItsSecond) {
    QWidget other;
    auto* entry = new QLineEdit(&other);
    other.show();

    {
        CSplashWnd splash(&other);
        QSignalSpy hidden(&splash, &CSplashWnd::hidden);
        splash.ShowSplash();
        ASSERT_TRUE(splash.IsShowing());
        // Exactly the picture's size, white around the picture's own pixels.
        EXPECT_EQ(splash.size(), QSize(splash.Picture().Width(), splash.Picture().Height()));
        const QImage painted = splash.grab().toImage();
        const QImage& picture = splash.Picture().Bitmap();
        const QPoint middle(picture.width() / 2, picture.height() / 2);
        EXPECT_EQ(painted.pixel(middle), picture.pixel(middle));

        // A key meant for another window closes the picture, and only that.
        QTest::keyClick(entry, Qt::Key_A);
        EXPECT_FALSE(splash.IsShowing());
        EXPECT_FALSE(splash.isVisible());
        EXPECT_EQ(hidden.count(), 1);
        EXPECT_EQ(entry->text(), "");
        QTest::keyClick(entry, Qt::Key_B);
        EXPECT_EQ(entry->text(), "b");
    }
    {
        CSplashWnd splash(&other);
        splash.ShowSplash();
        QTest::mouseClick(entry, Qt::RightButton);
        EXPECT_FALSE(splash.IsShowing());
    }
    {
        CSplashWnd splash(&other);
        QSignalSpy hidden(&splash, &CSplashWnd::hidden);
        splash.ShowSplash();
        EXPECT_TRUE(hidden.wait(10 * CSplashWnd::kShowMs));
        EXPECT_FALSE(splash.isVisible());
    }
    // One at a time; the one shown deletes itself when it goes.
    QPointer<CSplashWnd> shown = CSplashWnd::ShowSplashScreen(&other);
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(CSplashWnd::ShowSplashScreen(&other), nullptr);
    QTest::keyClick(entry, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&shown] { return shown.isNull(); }));
}

TEST(StartUpTest, TheWorkspacePictureStaysInTheMiddleOnTheWorkspaceColour) {
    CMdiClient area;
    area.show();
    CPictureBitmap picture;
    ASSERT_TRUE(picture.LoadBitmapResource(161));
    const QImage& bitmap = picture.Bitmap();
    // The picture's ground shows the workspace colour instead.
    const QRgb ground = bitmap.pixel(0, 0);
    const QRgb workspace = area.WorkspaceColor().rgb();
    for (const QSize size : {QSize(600, 400), QSize(900, 700)}) {
        area.resize(size);
        const QImage painted = area.viewport()->grab().toImage();
        ASSERT_EQ(painted.size(), size);
        const QPoint corner((size.width() - bitmap.width()) / 2,
                            (size.height() - bitmap.height()) / 2);
        for (int y = 0; y < bitmap.height(); y += 7) {
            for (int x = 0; x < bitmap.width(); x += 5) {
                const QRgb expected = bitmap.pixel(x, y) == ground ? workspace : bitmap.pixel(x, y);
                ASSERT_EQ(painted.pixel(corner + QPoint(x, y)), expected) << x << "," << y;
            }
        }
        EXPECT_EQ(painted.pixel(0, 0), workspace);
        EXPECT_EQ(painted.pixel(size.width() - 1, size.height() - 1), workspace);
    }
}

TEST(StartUpTest, EveryWindowsAboutCommandShowsThePictureAndAceptarClosesIt) {
    QTemporaryDir dir;
    const QString factura = WriteFormat(dir.filePath("factura.fmt"));
    CMainFrame frame(dir.path());
    frame.SetUnattended(true);
    frame.show();
    CFmtcapturaFrm* capture = frame.OpenForCapture(factura);
    ASSERT_NE(capture, nullptr);
    CFmtdesignFrm* design = frame.NewDesign();

    const QList<QAction*> commands = {frame.CommandAction(CommandId::About),
                                      capture->CommandAction(CommandId::About),
                                      design->CommandAction(CommandId::About)};
    for (QAction* about : commands) {
        QSize shown;
        QTimer::singleShot(0, [&shown] {
            auto* box = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
            if (!box)
                return;
            shown = box->size();
            EXPECT_EQ(box->OkButton()->text(), "Aceptar");
            EXPECT_TRUE(box->rect().contains(box->OkButton()->geometry()));
            box->OkButton()->click();
        });
        about->trigger();
        CPictureBitmap picture;
        ASSERT_TRUE(picture.LoadBitmapResource(102));
        EXPECT_EQ(shown, QSize(picture.Width(), picture.Height())) << about->text().toStdString();
    }
}

TEST(StartUpTest, TheMainCaptionFollowsWhicheverChildChangedItsCaptionLast) {
    QTemporaryDir dir;
    const QString factura = WriteFormat(dir.filePath("factura.fmt"));
    CMainFrame frame(dir.path());
    frame.SetUnattended(true);
    frame.resize(1000, 700);
    frame.show();
    CFmtcapturaFrm* capture = frame.OpenForCapture(factura);
    ASSERT_NE(capture, nullptr);
    CFmtdesignFrm* design = frame.NewDesign();
    EXPECT_EQ(frame.windowTitle(), "PLENOVA Diseño de formato - (nuevo)");

    frame.MdiArea()->setActiveSubWindow(capture);
    EXPECT_EQ(frame.windowTitle(),
              "PLENOVA Pantalla de captura - " + QDir::toNativeSeparators(factura));
    // The design window, not active, gets a name when it is saved: its caption is the main one.
    const QString cheque = dir.filePath("cheque.fmt");
    design->SetFileChooser([&cheque](CFmtdesignFrm::FormatDialog) { return cheque; });
    design->Document().Insert(ControlTypeCode::ConsText, Point{100, -100});
    ASSERT_TRUE(design->SaveAs());
    EXPECT_EQ(frame.windowTitle(), "PLENOVA Diseño de formato - " + cheque);
    frame.MdiArea()->setActiveSubWindow(design);
    frame.MdiArea()->setActiveSubWindow(capture);
    EXPECT_EQ(frame.windowTitle(),
              "PLENOVA Pantalla de captura - " + QDir::toNativeSeparators(factura));
}

TEST(StartUpTest, TheStandardDocumentKeysOpenNothingAndLeaveTheDesignersUndoAlone) {
    QTemporaryDir dir;
    CMainFrame frame(dir.path());
    frame.SetUnattended(true);
    frame.resize(1000, 700);
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    for (const QKeyCombination key :
         {Qt::CTRL | Qt::Key_N, Qt::CTRL | Qt::Key_O, Qt::CTRL | Qt::Key_S, Qt::CTRL | Qt::Key_P}) {
        QTest::keyClick(&frame, key.key(), key.keyboardModifiers());
        EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    CFmtdesignFrm* design = frame.NewDesign();
    frame.MdiArea()->setActiveSubWindow(design);
    design->Document().Insert(ControlTypeCode::ConsText, Point{100, -100});
    ASSERT_EQ(design->Document().Controls().size(), 1u);
    design->widget()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(design->Document().Controls().size(), 0u);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(design->Document().Controls().size(), 1u);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 1);
}

TEST(StartUpTest, CapturedDataFindTheirFormatBesideThemOrInARecentFormatsFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("datos") && QDir(dir.path()).mkpath("formatos"));
    const QString beside = WriteFormat(dir.filePath("datos/factura.fmt"));
    const QString elsewhere = WriteFormat(dir.filePath("formatos/cheque.fmt"));
    const QString facturaData = WriteCaptureData(dir.filePath("datos/enero.cap"), "factura.fmt");
    const QString chequeData = WriteCaptureData(dir.filePath("datos/pago.cap"), "cheque.fmt");
    const QStringList recent = {dir.filePath("formatos")};

    EXPECT_EQ(CapturedDataFormat::RecordedName(facturaData), "factura.fmt");
    EXPECT_EQ(CapturedDataFormat::FormatFor(facturaData, recent), beside);
    EXPECT_EQ(CapturedDataFormat::FormatFor(chequeData, recent), elsewhere);
    // The name is the file's exactly: another spelling is another format.
    const QString shouting = WriteCaptureData(dir.filePath("datos/grito.cap"), "FACTURA.fmt");
    EXPECT_EQ(CapturedDataFormat::Locate(shouting, "FACTURA.fmt", recent), QString());
    try {
        CapturedDataFormat::FormatFor(chequeData, {});
        ADD_FAILURE() << "found without the recent folder";
    } catch (const CaptureFileError& e) {
        EXPECT_TRUE(e.Message().contains("cheque.fmt")) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains(QDir::toNativeSeparators(dir.filePath("datos"))));
    }
    // A name that would reach outside the folders searched, or none at all, is a damaged file.
    for (const char* name : {"", "..", "../formatos/cheque.fmt", "c:cheque.fmt"}) {
        const QString data = WriteCaptureData(dir.filePath("datos/mala.cap"), name);
        try {
            CapturedDataFormat::FormatFor(data, recent);
            ADD_FAILURE() << name;
        } catch (const CaptureFileError& e) {
            EXPECT_EQ(e.GetCause(), CaptureFileError::Cause::Damaged) << name;
        }
    }
    try {
        CapturedDataFormat::RecordedName(dir.filePath("datos/falta.cap"));
        ADD_FAILURE() << "a missing file read";
    } catch (const CaptureFileError& e) {
        EXPECT_EQ(e.GetCause(), CaptureFileError::Cause::CannotOpen);
    }

    // Named on the command line, the data open with their format, or say why they cannot.
    EXPECT_EQ(RunPlenova(dir, {facturaData}), 0);
    QString errors;
    EXPECT_EQ(RunPlenova(dir, {dir.filePath("datos/mala.cap")}, &errors), 1);
    EXPECT_TRUE(errors.contains("no indica de qué formato")) << errors.toStdString();

    // A format protected by a key is refused, with the reason, instead of waiting on the question.
    Format format;
    FormatSettings settings;
    settings.key = QStringLiteral("secreta");
    const QString locked = dir.filePath("formatos/cerrado.fmt");
    FormatFile::Save(locked, format, settings);
    EXPECT_EQ(RunPlenova(dir, {"--design", locked}, &errors), 1);
    EXPECT_TRUE(errors.contains("clave de acceso")) << errors.toStdString();
}

TEST(StartUpTest, TheCommandLineAnswersInSpanish) {
    QProcess plenova;
    plenova.start(PLENOVA_EXECUTABLE, {"--help"});
    ASSERT_TRUE(plenova.waitForFinished(60000));
    EXPECT_EQ(plenova.exitCode(), 0);
    const QString help = QString::fromUtf8(plenova.readAllStandardOutput());
    EXPECT_TRUE(help.contains("Uso: ")) << help.toStdString();
    EXPECT_TRUE(help.contains("Muestra esta ayuda.")) << help.toStdString();

    plenova.start(PLENOVA_EXECUTABLE, {"--version"});
    ASSERT_TRUE(plenova.waitForFinished(60000));
    EXPECT_TRUE(QString::fromUtf8(plenova.readAllStandardOutput()).startsWith("Plenova "));

    // The parser's own complaints come through Qt's translation too.
    plenova.start(PLENOVA_EXECUTABLE, {"--no-existe"});
    ASSERT_TRUE(plenova.waitForFinished(60000));
    EXPECT_NE(plenova.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(plenova.readAllStandardError()).contains("Opción desconocida"));
}

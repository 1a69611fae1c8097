#include "FieldFormat.h"
#include "capture/CFmtcapturaFrm.h"
#include "capture_model/CCaptureControl.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "capture_model/CaptureDocument.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/DesignDocument.h"
#include "model/Format.h"
#include "model/FormatFile.h"
#include "platform/ProcessIdentity.h"
#include "platform/RecoveryFile.h"
#include "platform/RecoveryKeeper.h"
#include "platform/RecoveryStore.h"
#include "screen_designer/CFmtpantallaFrm.h"
#include "screen_designer/ScreenDocument.h"
#include "shell/CMainFrame.h"
#include "shell/RecoveryOffer.h"

#include "common/FileContents.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Set only for the run of this suite that a case starts and kills.
constexpr char kChildFolder[] = "PLENOVA_RECOVERY_TEST_FOLDER";

CCaptureControl& FirstField(const CaptureDocument& document) {
    return dynamic_cast<CCaptureControl&>(*document.Controls().front());
}

// The three kinds of window a user has changed and not saved.
struct ChangedWindows {
    CFmtdesignFrm* design = nullptr;
    CFmtpantallaFrm* screen = nullptr;
    CFmtcapturaFrm* capture = nullptr;

    ChangedWindows(CMainFrame& frame, const QString& format, const QString& data) {
        design = frame.OpenForDesign(format);
        design->Document().SetDescription(QStringLiteral("Factura cambiada"));
        screen = frame.OpenForScreenDesign(format);
        screen->Document().Select(0);
        screen->Document().MoveSelected(8, 12);
        capture = frame.OpenForCapture(format);
        capture->LoadCaptureFrom(data);
        CaptureDocument& values = capture->Document();
        values.TypeText(FirstField(values), QStringLiteral("HOLA"));
        values.LeaveField(FirstField(values));
    }
};

template <typename Frame>
Frame* Find(const CMainFrame& frame) {
    for (QMdiSubWindow* child : frame.MdiArea()->subWindowList()) {
        if (auto* found = qobject_cast<Frame*>(child))
            return found;
    }
    return nullptr;
}

struct Folder {
    QTemporaryDir dir;
    QString format = FieldFormat(dir.filePath(QStringLiteral("factura.fmt")));
    QString data = dir.filePath(QStringLiteral("factura 1.cap"));
    QString recovery = dir.filePath(QStringLiteral("recuperacion"));

    Folder() {
        CaptureDocument empty;
        empty.OpenFormat(format);
        empty.SaveCapturedData(data);
    }
    QStringList Files() const {
        return QDir(recovery).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

} // namespace

// Not a case of its own: the run of the suite that RecoveryTest.KilledRunComesBackUnsaved
// starts, changes a window of each kind, lets their recovery files be written and waits to be
// killed.
TEST(RecoveryChild, ChangeAndWaitToBeKilled) {
    const QString folder = qEnvironmentVariable(kChildFolder);
    if (folder.isEmpty())
        GTEST_SKIP() << "only run by RecoveryTest.KilledRunComesBackUnsaved";
    const QDir dir(folder);
    CaptureControlTypes::RegisterAll();
    RecoveryKeeper::SetFolder(dir.filePath(QStringLiteral("recuperacion")));
    CMainFrame frame(folder);
    frame.SetUnattended(true);
    // The screen window finds the format locked by the design window: it opens read-only.
    frame.SetAsksNothing(true);
    frame.show();
    ChangedWindows windows(frame, dir.filePath(QStringLiteral("factura.fmt")),
                           dir.filePath(QStringLiteral("factura 1.cap")));
    for (QMdiSubWindow* child : frame.MdiArea()->subWindowList()) {
        if (auto* design = qobject_cast<CFmtdesignFrm*>(child))
            design->Recovery().SetInterval(10);
        if (auto* screen = qobject_cast<CFmtpantallaFrm*>(child))
            screen->Recovery().SetInterval(10);
        if (auto* capture = qobject_cast<CFmtcapturaFrm*>(child))
            capture->Recovery().SetInterval(10);
    }
    // The changes above were made before the short interval: one more of each starts it.
    windows.design->Recovery().Changed();
    windows.screen->Recovery().Changed();
    windows.capture->Recovery().Changed();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return QDir(dir.filePath(QStringLiteral("recuperacion")))
                       .entryList(QDir::Files)
                       .size() == 3;
        },
        10000));
    std::puts("escrito");
    std::fflush(stdout);
    QTest::qWait(60000);
    ADD_FAILURE() << "not killed";
}

TEST(RecoveryTest, KilledRunComesBackUnsaved) {
    Folder folder;
    const QByteArray formatBefore = ReadFile(folder.format);
    const QByteArray dataBefore = ReadFile(folder.data);

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildFolder), folder.dir.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=RecoveryChild.*")});
    ASSERT_TRUE(child.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return child.readAllStandardOutput().contains("escrito") ||
                   child.state() == QProcess::NotRunning;
        },
        60000));
    ASSERT_EQ(child.state(), QProcess::Running) << child.readAllStandardError().toStdString();
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished());
    ASSERT_EQ(folder.Files().size(), 3);

    // The next start offers the three of them, and a run that asks nothing leaves them there.
    CMainFrame frame(folder.dir.path());
    frame.SetUnattended(true);
    frame.SetAsksNothing(true);
    EXPECT_EQ(RecoveryOffer(frame, folder.recovery).Run(), 0);
    EXPECT_EQ(folder.Files().size(), 3);
    frame.SetAsksNothing(false);

    frame.show();
    RecoveryKeeper::SetFolder(folder.recovery);
    // The design window brought back holds the format's lock again: the screen window after it
    // is asked, and the user opens it read-only.
    QStringList asked;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&asked] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == QStringLiteral("Abrir de solo lectura")) {
                    asked << box->text();
                    button->click();
                }
            }
        }
    });
    answer.start(20);
    RecoveryOffer offer(frame, folder.recovery);
    QStringList offered;
    offer.SetChooser([&](const RecoveryStore::Leftovers& leftovers) {
        for (const RecoveryStore::Leftover& leftover : leftovers.recoverable)
            offered << RecoveryOffer::Describe(leftover.file);
        return std::optional<std::vector<int>>({0, 1, 2});
    });
    EXPECT_EQ(offer.Run(), 3);
    ASSERT_EQ(offered.size(), 3);
    EXPECT_TRUE(offered.filter(QStringLiteral("factura.fmt (diseño del formato), ")).size() == 1)
        << offered.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(offered.filter(QStringLiteral("(datos capturados en factura 1.cap)")).size(), 1);

    // Each window holds its changes, unsaved; the files on disk are as they were.
    auto* design = Find<CFmtdesignFrm>(frame);
    auto* screen = Find<CFmtpantallaFrm>(frame);
    auto* capture = Find<CFmtcapturaFrm>(frame);
    ASSERT_TRUE(design && screen && capture);
    EXPECT_EQ(design->Document().Description(), QStringLiteral("Factura cambiada"));
    EXPECT_TRUE(design->Document().IsModified());
    EXPECT_EQ(design->Document().Path(), folder.format);
    EXPECT_TRUE(design->windowTitle().endsWith(QStringLiteral(" *")));
    EXPECT_TRUE(screen->Document().IsModified());
    EXPECT_EQ(asked.size(), 1);
    EXPECT_TRUE(screen->IsReadOnly());
    ScreenDocument unmoved;
    unmoved.Open(folder.format);
    EXPECT_EQ(screen->Document().Controls().front()->screenRect.left,
              unmoved.Controls().front()->screenRect.left + 8);
    EXPECT_TRUE(capture->Document().HasChanges());
    EXPECT_EQ(dynamic_cast<CTextlineVar&>(FirstField(capture->Document())).Value(),
              QStringLiteral("HOLA"));
    EXPECT_EQ(capture->Document().CapturedDataPath(), folder.data);
    EXPECT_EQ(ReadFile(folder.format), formatBefore);
    EXPECT_EQ(ReadFile(folder.data), dataBefore);
    // The dead run's files went; each window keeps a file of its own until it is saved.
    const QStringList kept = folder.Files();
    EXPECT_EQ(kept.size(), 3);
    for (const QString& name : kept)
        EXPECT_TRUE(name.startsWith(QString::number(::getpid()) + QLatin1Char('-')));

    // A save writes the format and its file goes; closing the others takes theirs.
    ASSERT_TRUE(design->Save());
    EXPECT_FALSE(design->windowTitle().endsWith(QStringLiteral(" *")));
    EXPECT_EQ(folder.Files().size(), 2);
    frame.CloseAllChildren();
    QTest::qWait(50);
    EXPECT_TRUE(folder.Files().isEmpty());
    RecoveryKeeper::SetFolder(QString());
}

TEST(RecoveryTest, DiscardedOrDamagedFilesAndRunsStillGoing) {
    Folder folder;
    const RecoveryStore store(folder.recovery);
    RecoveryFile design;
    design.formatPath = folder.format;
    design.state = ReadFile(folder.format);
    design.time = QDateTime::currentDateTime();
    design.process = ProcessIdentity::Current();
    // This run is still going: its file is never offered.
    store.Write(QStringLiteral("vivo.recuperacion"), design);
    design.process.start = QStringLiteral("0");
    store.Write(QStringLiteral("muerto.recuperacion"), design);
    QFile damaged(QDir(folder.recovery).filePath(QStringLiteral("roto.recuperacion")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("PLNVRCPR basura");
    damaged.close();

    // The real program taking a picture neither asks nor removes anything.
    QProcess plenova;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.dir.path());
    environment.insert(QStringLiteral("HOME"), folder.dir.path());
    plenova.setProcessEnvironment(environment);
    plenova.start(QStringLiteral(PLENOVA_EXECUTABLE),
                  {QStringLiteral("--grab"), folder.dir.filePath(QStringLiteral("p.png"))});
    ASSERT_TRUE(plenova.waitForFinished(60000));
    EXPECT_EQ(folder.Files(), QStringList({QStringLiteral("muerto.recuperacion"),
                                           QStringLiteral("roto.recuperacion"),
                                           QStringLiteral("vivo.recuperacion")}));

    CMainFrame frame(folder.dir.path());
    frame.SetUnattended(true);
    RecoveryOffer offer(frame, folder.recovery);
    int asked = 0;
    offer.SetChooser([&](const RecoveryStore::Leftovers& leftovers) {
        ++asked;
        EXPECT_EQ(leftovers.recoverable.size(), 1u);
        EXPECT_EQ(leftovers.damaged.size(), 1u);
        return std::optional<std::vector<int>>();
    });
    EXPECT_EQ(offer.Run(), 0);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
    // "Descartar" removes what was offered; what cannot be read, and the live run's, stay.
    EXPECT_EQ(folder.Files(), QStringList({QStringLiteral("roto.recuperacion"),
                                           QStringLiteral("vivo.recuperacion")}));
}

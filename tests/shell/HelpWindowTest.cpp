#include "capture/CFmtcapturaFrm.h"
#include "capture_model/CaptureControlTypes.h"
#include "commands/CommandId.h"
#include "designer/CFmtdesignFrm.h"
#include "grid/CVrGrid.h"
#include "shell/CHelpWindow.h"
#include "shell/CMainFrame.h"

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

const QString kFolder = QStringLiteral(":/ayuda/");

QUrl PageUrl(const QString& page) {
    return QUrl("qrc" + kFolder + page);
}

// The help's files as the program bundles them, by their path inside the help folder.
QStringList BundledFiles(const QString& suffix) {
    QStringList files;
    QDirIterator it(kFolder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next().mid(kFolder.size());
        if (path.endsWith(suffix))
            files << path;
    }
    files.sort();
    return files;
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QString Text(const QString& page) {
    return QString::fromUtf8(Bytes(kFolder + page));
}

} // namespace

TEST(HelpWindowTest, EveryWayToHelpShowsTheOneHelpWindowOnItsContents) {
    CaptureControlTypes::RegisterAll();
    QTemporaryDir dir;
    CMainFrame frame(dir.path());
    frame.SetUnattended(true);
    frame.resize(1000, 700);
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    EXPECT_EQ(frame.HelpWindow(), nullptr);

    QAction* contents = frame.CommandAction(CommandId::Help);
    EXPECT_EQ(contents->text(), "&Contenido");
    ASSERT_TRUE(contents->isEnabled());
    contents->trigger();
    CHelpWindow* help = frame.HelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isWindow());
    EXPECT_EQ(help->windowTitle(), "Ayuda de Plenova");
    EXPECT_EQ(help->Browser()->source(), CHelpWindow::ContentsUrl());
    EXPECT_EQ(help->Browser()->documentTitle(), "Contenido");

    // From a page further in, each way comes back to the contents in the same window, which a
    // reader may have closed meanwhile.
    // The example invoice: its entries and its table take keys of their own.
    CFmtcapturaFrm* capture = frame.OpenForCapture(PLENOVA_SOURCE_DIR "/examples/factura.fmt");
    ASSERT_NE(capture, nullptr);
    auto* entry = capture->findChild<QLineEdit*>();
    auto* table = capture->findChild<CVrGrid*>();
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(table, nullptr);
    CFmtdesignFrm* design = frame.NewDesign();
    QAction* captureHelp = capture->CommandAction(CommandId::Help);
    QAction* designHelp = design->CommandAction(CommandId::Help);
    EXPECT_TRUE(captureHelp->isEnabled());
    EXPECT_TRUE(designHelp->isEnabled());
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"capture window", [&] { captureHelp->trigger(); }},
        {"design window", [&] { designHelp->trigger(); }},
        {"57670", [&] { frame.CommandAction(CommandId::HelpKey)->trigger(); }},
        {"F1 in the main frame", [&] { QTest::keyClick(&frame, Qt::Key_F1); }},
        {"F1 in a design window", [&] { QTest::keyClick(design, Qt::Key_F1); }},
        {"F1 in a capture field", [&] { QTest::keyClick(entry, Qt::Key_F1); }},
        {"F1 in a table", [&] { QTest::keyClick(table, Qt::Key_F1); }},
        {"F1 in the help window", [&] { QTest::keyClick(help->Browser(), Qt::Key_F1); }},
    };
    for (const auto& [way, ask] : ways) {
        SCOPED_TRACE(way);
        help->Browser()->setSource(PageUrl("calculo.html"));
        help->close();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        ask();
        EXPECT_EQ(frame.HelpWindow(), help);
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(help->Browser()->source(), CHelpWindow::ContentsUrl());
        // Atrás returns to where the reader was.
        EXPECT_TRUE(help->BackAction()->isEnabled());
    }
    EXPECT_EQ(frame.findChildren<CHelpWindow*>().size(), 1);
}

TEST(HelpWindowTest, EveryLinkReachesABundledPageOrPicture) {
    const QStringList pages = BundledFiles(".html");
    ASSERT_FALSE(pages.isEmpty());
    const QRegularExpression reference(R"re((href|src)\s*=\s*"([^"]*)")re");
    QSet<QString> reached;
    for (const QString& page : pages) {
        const QString text = Text(page);
        for (const QRegularExpressionMatch& link : reference.globalMatch(text)) {
            const QString target = link.captured(2);
            SCOPED_TRACE((page + " -> " + target).toStdString());
            const QUrl url = PageUrl(page).resolved(QUrl(target));
            // The help stands on its own: nothing it shows comes from outside the program.
            ASSERT_EQ(url.scheme(), "qrc");
            ASSERT_TRUE(url.path().startsWith("/ayuda/"));
            const QString file = url.path().mid(QStringLiteral("/ayuda/").size());
            ASSERT_TRUE(QFile::exists(kFolder + file));
            reached.insert(file);
            if (url.hasFragment()) {
                EXPECT_TRUE(Text(file).contains(QStringLiteral("name=\"%1\"").arg(url.fragment())));
            }
        }
    }
    // Every page and picture is reached by some link, and every page is in the contents list.
    for (const QString& file : BundledFiles(".html") + BundledFiles(".png"))
        EXPECT_TRUE(reached.contains(file)) << file.toStdString();
    QStringList listed = CHelpWindow::Pages();
    listed.sort();
    EXPECT_EQ(listed, pages);
    // Each picture is a window as plenova --grab lays it out, whole or cut down to a child.
    for (const QString& picture : BundledFiles(".png")) {
        const QSize size = QImage(kFolder + picture).size();
        EXPECT_TRUE(QRect(0, 0, 1280, 800).contains(QRect(QPoint(0, 0), size)) &&
                    size.width() >= 320 && size.height() >= 200)
            << picture.toStdString() << " " << size.width() << "x" << size.height();
    }
}

TEST(HelpWindowTest, PagesAreSpanishUtf8WithTheirTitleInTheContents) {
    CHelpWindow help;
    const QRegularExpression title("<title>([^<]+)</title>");
    ASSERT_EQ(help.Contents()->count(), CHelpWindow::Pages().size());
    for (int i = 0; i < CHelpWindow::Pages().size(); ++i) {
        const QString& page = CHelpWindow::Pages()[i];
        SCOPED_TRACE(page.toStdString());
        const QByteArray bytes = Bytes(kFolder + page);
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(bytes);
        EXPECT_FALSE(utf8.hasError());
        EXPECT_TRUE(text.contains("<html lang=\"es-MX\">"));
        EXPECT_TRUE(text.contains("<meta charset=\"utf-8\">"));
        const QRegularExpressionMatch found = title.match(text);
        ASSERT_TRUE(found.hasMatch());
        EXPECT_EQ(help.Contents()->item(i)->text(), found.captured(1));
        help.Contents()->setCurrentRow(i);
        EXPECT_EQ(help.Browser()->source(), PageUrl(page));
        EXPECT_EQ(help.Browser()->documentTitle(), found.captured(1));
    }
}

TEST(HelpWindowTest, HistoryAndContentsFollowTheReader) {
    CHelpWindow help;
    EXPECT_EQ(help.Browser()->source(), CHelpWindow::ContentsUrl());
    EXPECT_EQ(help.Contents()->currentRow(), 0);
    EXPECT_FALSE(help.BackAction()->isEnabled());
    EXPECT_FALSE(help.ForwardAction()->isEnabled());

    const int calculation = CHelpWindow::Pages().indexOf("calculo.html");
    help.Contents()->setCurrentRow(calculation);
    // A link to a place inside a page keeps that page marked in the contents.
    help.Browser()->setSource(PageUrl("calculo.html#letra"));
    EXPECT_EQ(help.Contents()->currentRow(), calculation);
    help.Browser()->setSource(PageUrl("margenes.html"));
    EXPECT_EQ(help.Contents()->currentRow(), CHelpWindow::Pages().indexOf("margenes.html"));

    help.BackAction()->trigger();
    EXPECT_EQ(help.Browser()->source(), PageUrl("calculo.html#letra"));
    EXPECT_EQ(help.Contents()->currentRow(), calculation);
    EXPECT_TRUE(help.ForwardAction()->isEnabled());
    help.ForwardAction()->trigger();
    EXPECT_EQ(help.Browser()->source(), PageUrl("margenes.html"));
    EXPECT_FALSE(help.ForwardAction()->isEnabled());

    help.HomeAction()->trigger();
    EXPECT_EQ(help.Browser()->source(), CHelpWindow::ContentsUrl());
    EXPECT_EQ(help.Contents()->currentRow(), 0);
}

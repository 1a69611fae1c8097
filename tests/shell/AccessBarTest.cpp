#include "capture/CFmtcapturaFrm.h"
#include "commands/CommandId.h"
#include "designer/AccessKeyDialog.h"
#include "designer/CFmtdesignFrm.h"
#include "model/Format.h"
#include "model/FormatFile.h"
#include "platform/Profile.h"
#include "platform_widgets/CSizingControlBar.h"
#include "shell/CAccessBar.h"
#include "shell/CFolderTree.h"
#include "shell/CMainFrame.h"
#include "shell/CPlenovaApp.h"
#include "shell/IconButton.h"
#include "shell/ShellPictures.h"

#include <QAction>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using Target = CAccessBar::Target;
using Choice = CAccessBar::Choice;

void SetRecentFormats(const QStringList& paths) {
    Profile profile;
    for (int i = 1; i <= CPlenovaApp::kRecentFormats; ++i)
        profile.WriteString("Config", QStringLiteral("Last%1").arg(i), paths.value(i - 1));
}

QString WriteFormat(const QString& path, const QString& description,
                    const QString& key = QString()) {
    Format format;
    format.description = description;
    FormatSettings settings;
    settings.key = key;
    FormatFile::Save(path, format, settings);
    return path;
}

void Touch(const QString& path, const QByteArray& bytes = {}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList ChildTexts(const QTreeWidgetItem* item) {
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

QStringList RecentTexts(const CAccessBar& bar) {
    QStringList texts;
    for (int i = 0; i < bar.RecentList()->topLevelItemCount(); ++i)
        texts << bar.RecentList()->topLevelItem(i)->text(0);
    return texts;
}

void ClickRecent(CAccessBar& bar, int row) {
    QTreeWidget* list = bar.RecentList();
    // Near the left end: the row runs on past the visible part of the list.
    const QRect place = list->visualItemRect(list->topLevelItem(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, place.center().y()));
}

// An access bar on the screen, with its messages collected rather than shown.
struct ShownBar {
    ShownBar() {
        bar.SetMessenger([this](const QString& message) { messages << message; });
        bar.resize(bar.sizeHint());
        bar.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&bar));
    }
    CAccessBar bar;
    QStringList messages;
};

} // namespace

TEST(AccessBarTest, RecentListShowsTheFilledSlotsInSlotOrder) {
    SetRecentFormats({"", "/formas/factura.fmt", "", "/formas/cheque.fmt"});
    ShownBar shown;
    EXPECT_EQ(RecentTexts(shown.bar), QStringList({"/formas/factura.fmt", "/formas/cheque.fmt"}));
    QTreeWidget* list = shown.bar.RecentList();
    EXPECT_EQ(list->headerItem()->text(0), "Plenova");
    // Long paths scroll: the one column is twice as wide as the list.
    EXPECT_EQ(list->columnWidth(0), 2 * list->width());

    SetRecentFormats({"", "/formas/factura.fmt"});
    shown.bar.ReloadRecent();
    EXPECT_EQ(RecentTexts(shown.bar), QStringList({"/formas/factura.fmt"}));

    // A path longer than that widens the column to its end, the format's name.
    const QString deep = "/formas" + QString("/clientes del norte").repeated(12) + "/cheque.fmt";
    SetRecentFormats({deep});
    shown.bar.ReloadRecent();
    EXPECT_GT(list->columnWidth(0), list->fontMetrics().horizontalAdvance(deep));
}

TEST(AccessBarTest, AClickInTheRecentListChoosesAndEachChoiceOpensOnce) {
    QTemporaryDir dir;
    const QString factura = WriteFormat(dir.filePath("factura.fmt"), "Factura de contado");
    const QString cheque = WriteFormat(dir.filePath("cheque.fmt"), "Cheque\r\nBanco del Norte");
    SetRecentFormats({factura, cheque});
    ShownBar shown;
    CAccessBar& bar = shown.bar;
    QSignalSpy opened(&bar, &CAccessBar::openRequested);

    ClickRecent(bar, 1);
    EXPECT_EQ(bar.PreviewText(), "Cheque\nBanco del Norte");
    EXPECT_EQ(bar.CurrentChoice(), Choice::RecentList);

    // The keys move the selection but choose nothing.
    QTest::keyClick(bar.RecentList(), Qt::Key_Up);
    EXPECT_EQ(bar.RecentList()->currentItem()->text(0), factura);
    EXPECT_EQ(bar.PreviewText(), "Cheque\nBanco del Norte");
    EXPECT_EQ(bar.CurrentChoice(), Choice::RecentList);

    ClickRecent(bar, 0);
    EXPECT_EQ(bar.PreviewText(), "Factura de contado");
    QTest::mouseClick(bar.OpenButton(Target::Screen), Qt::LeftButton);
    QTest::mouseClick(bar.OpenButton(Target::Screen), Qt::LeftButton);
    QTest::mouseClick(bar.OpenButton(Target::Capture), Qt::LeftButton);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.at(0).at(0).value<Target>(), Target::Screen);
    EXPECT_EQ(opened.at(0).at(1).toString(), factura);
    EXPECT_EQ(bar.CurrentChoice(), Choice::None);
    EXPECT_EQ(bar.PreviewText(), "");
    EXPECT_TRUE(shown.messages.isEmpty());
}

TEST(AccessBarTest, AGoneOrUnreadableFormatCannotBeChosen) {
    QTemporaryDir dir;
    const QString gone = dir.filePath("borrado.fmt");
    const QString broken = dir.filePath("roto.fmt");
    Touch(broken, "\xff\xff\xff\x7f");
    SetRecentFormats({gone, broken});
    ShownBar shown;
    CAccessBar& bar = shown.bar;
    QSignalSpy opened(&bar, &CAccessBar::openRequested);

    ClickRecent(bar, 0);
    EXPECT_EQ(bar.PreviewText(), "-- Archivo eliminado --");
    EXPECT_EQ(bar.CurrentChoice(), Choice::None);
    QTest::mouseClick(bar.OpenButton(Target::Design), Qt::LeftButton);
    EXPECT_EQ(opened.count(), 0);
    EXPECT_TRUE(shown.messages.isEmpty());

    ClickRecent(bar, 1);
    EXPECT_EQ(bar.PreviewText(), "");
    EXPECT_EQ(bar.CurrentChoice(), Choice::None);
    ASSERT_EQ(shown.messages.size(), 1);
    EXPECT_TRUE(shown.messages.constFirst().contains("roto.fmt"))
        << shown.messages.constFirst().toStdString();
    QTest::mouseClick(bar.OpenButton(Target::Capture), Qt::LeftButton);
    EXPECT_EQ(opened.count(), 0);
}

TEST(AccessBarTest, TheTreeListsFoldersAndFormatsAndOpensFolders) {
    QTemporaryDir dir;
    QDir root(dir.path());
    for (const char* folder : {"vacía", "Clientes", "clientes 2", ".respaldo"})
        ASSERT_TRUE(root.mkdir(folder));
    WriteFormat(dir.filePath("recibo.fmt"), "Recibo");
    WriteFormat(dir.filePath("Cheque.fmt"), "Cheque");
    WriteFormat(dir.filePath("Caja.FMT"), "Caja");
    WriteFormat(dir.filePath(".oculto.fmt"), "Oculto");
    Touch(dir.filePath("notas.txt"));
    WriteFormat(dir.filePath("Clientes/alta.fmt"), "Alta");

    CFolderTree tree;
    tree.OpenFolder(dir.path());
    QTreeWidgetItem* folder = tree.currentItem();
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(tree.SelectedPath(), QDir::cleanPath(dir.path()));
    EXPECT_TRUE(folder->isExpanded());
    // Folders and formats together, alphabetically; capitals in ".FMT" keep a file out.
    EXPECT_EQ(ChildTexts(folder),
              QStringList({"Cheque.fmt", "Clientes", "clientes 2", "recibo.fmt", "vacía"}));
    EXPECT_FALSE(CFolderTree::ListsFile("Caja.FMT"));
    // A file chosen is opened whatever the case of its extension.
    EXPECT_TRUE(CAccessBar::IsFormatPath(dir.filePath("Caja.FMT")));
    EXPECT_FALSE(CAccessBar::IsFormatPath(dir.filePath("notas.txt")));

    // An empty folder keeps its button before and after it is opened, and shows nothing: a row
    // that cannot be chosen keeps the view from taking it for a folder without a button.
    QTreeWidgetItem* empty = folder->child(4);
    EXPECT_EQ(empty->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_EQ(empty->childCount(), 1);
    empty->setExpanded(true);
    ASSERT_EQ(empty->childCount(), 1);
    EXPECT_EQ(empty->child(0)->text(0), "");
    EXPECT_EQ(empty->child(0)->flags(), Qt::NoItemFlags);
    EXPECT_TRUE(empty->isExpanded());

    // Closing a folder forgets what it showed; opening it reads the disk again.
    QTreeWidgetItem* clientes = folder->child(1);
    clientes->setExpanded(true);
    EXPECT_EQ(ChildTexts(clientes), QStringList({"alta.fmt"}));
    WriteFormat(dir.filePath("Clientes/baja.fmt"), "Baja");
    clientes->setExpanded(false);
    EXPECT_EQ(ChildTexts(clientes), QStringList({""}));
    clientes->setExpanded(true);
    EXPECT_EQ(ChildTexts(clientes), QStringList({"alta.fmt", "baja.fmt"}));

    // A folder that is not there stops the walk where it was missed, with nothing selected.
    tree.clearSelection();
    tree.OpenFolder(dir.filePath("Clientes/falta/más"));
    EXPECT_TRUE(tree.selectedItems().isEmpty());
    EXPECT_TRUE(tree.DrivesItem()->isExpanded());
    EXPECT_TRUE(CFolderTree::Volumes().contains("/"));
    EXPECT_TRUE(CFolderTree::Volumes().contains(QDir::cleanPath(QDir::homePath())));
}

TEST(AccessBarTest, EverySelectionInTheTreeChooses) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("viejos"));
    const QString alta = WriteFormat(dir.filePath("alta.fmt"), "Alta de cliente");
    const QString baja = WriteFormat(dir.filePath("baja.fmt"), "Baja de cliente");
    ShownBar shown;
    CAccessBar& bar = shown.bar;
    QSignalSpy opened(&bar, &CAccessBar::openRequested);
    bar.OpenFolder(dir.path());
    EXPECT_EQ(bar.CurrentChoice(), Choice::None);

    CFolderTree* tree = bar.FolderTree();
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Down); // from the open folder to its first child
    EXPECT_EQ(tree->SelectedFile(), alta);
    EXPECT_EQ(bar.PreviewText(), "Alta de cliente");
    EXPECT_EQ(bar.CurrentChoice(), Choice::FolderTree);
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(bar.PreviewText(), "Baja de cliente");
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(bar.PreviewText(), "");
    EXPECT_EQ(bar.CurrentChoice(), Choice::None);
    QTest::mouseClick(bar.OpenButton(Target::Design), Qt::LeftButton);
    EXPECT_EQ(opened.count(), 0);

    QTest::keyClick(tree, Qt::Key_Up);
    QTest::mouseClick(bar.OpenButton(Target::Design), Qt::LeftButton);
    QTest::mouseClick(bar.OpenButton(Target::Design), Qt::LeftButton);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.at(0).at(0).value<Target>(), Target::Design);
    EXPECT_EQ(opened.at(0).at(1).toString(), baja);

    // Closing the folder of the chosen format moves the selection up to it: no choice is left.
    QTest::keyClick(tree, Qt::Key_Up);
    EXPECT_EQ(bar.CurrentChoice(), Choice::FolderTree);
    tree->collapseItem(tree->currentItem()->parent());
    EXPECT_EQ(tree->SelectedPath(), QDir::cleanPath(dir.path()));
    EXPECT_EQ(bar.CurrentChoice(), Choice::None);
    EXPECT_EQ(bar.PreviewText(), "");
}

TEST(AccessBarTest, ButtonsLightUpUnderThePointer) {
    ShownBar shown;
    auto* button = static_cast<IconButton*>(shown.bar.NewFormatButton());
    QSignalSpy created(&shown.bar, &CAccessBar::newFormatRequested);
    const QColor face = button->palette().color(QPalette::Button);
    const QPoint inside(2, button->height() / 2);
    EXPECT_NE(button->grab().toImage().pixelColor(inside), IconButton::Highlight(face));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(button->grab().toImage().pixelColor(inside), IconButton::Highlight(face));
    EXPECT_EQ(IconButton::Highlight(QColor(250, 100, 0)), QColor(255, 110, 10));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(created.count(), 1);

    // Each picture is its own, and none is blank.
    QList<QImage> pictures;
    for (ShellPictures::Picture picture : ShellPictures::Pictures()) {
        const QImage image = ShellPictures::Pixmap(picture, 32).toImage();
        EXPECT_FALSE(pictures.contains(image));
        EXPECT_GT(image.pixelColor(16, 20).alpha(), 0);
        pictures << image;
    }
}

TEST(AccessBarTest, TheMainFrameOpensFromTheBarAndKeepsItAtHand) {
    QTemporaryDir dir;
    const QString factura = WriteFormat(dir.filePath("factura.fmt"), "Factura");
    const QString cheque = WriteFormat(dir.filePath("cheque.fmt"), "Cheque");
    SetRecentFormats({factura, cheque});
    CMainFrame frame(dir.path());
    frame.SetUnattended(true);
    frame.resize(1000, 700);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    CAccessBar& bar = *frame.AccessBar();
    // The default folder is open and selected in the tree.
    EXPECT_EQ(bar.FolderTree()->SelectedPath(), QDir::cleanPath(dir.path()));

    ClickRecent(bar, 1);
    QTest::mouseClick(bar.OpenButton(Target::Capture), Qt::LeftButton);
    ASSERT_EQ(frame.MdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(qobject_cast<CFmtcapturaFrm*>(frame.MdiArea()->subWindowList().constFirst()));
    EXPECT_EQ(RecentTexts(bar), QStringList({cheque, factura}));

    ClickRecent(bar, 1);
    QTest::mouseClick(bar.OpenButton(Target::Design), Qt::LeftButton);
    ASSERT_EQ(frame.MdiArea()->subWindowList().size(), 2);
    auto* design = qobject_cast<CFmtdesignFrm*>(frame.MdiArea()->subWindowList().at(1));
    ASSERT_NE(design, nullptr);
    EXPECT_EQ(frame.windowTitle(),
              "PLENOVA Diseño de formato - " + QDir::toNativeSeparators(factura));
    EXPECT_EQ(RecentTexts(bar), QStringList({factura, cheque}));
    QTest::mouseClick(bar.NewFormatButton(), Qt::LeftButton);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 3);

    // The close box puts the bar away; "Barra de acceso" of any menu brings it back, docked on
    // the left, and is ticked while it shows.
    CSizingControlBar* dock = frame.AccessBarDock();
    QAction* mainCommand = frame.CommandAction(CommandId::AccessBar);
    QAction* designCommand = design->CommandAction(CommandId::AccessBar);
    EXPECT_EQ(frame.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    EXPECT_TRUE(mainCommand->isChecked());
    EXPECT_TRUE(designCommand->isEnabled());
    dock->close();
    EXPECT_FALSE(dock->isVisible());
    EXPECT_FALSE(mainCommand->isChecked());
    EXPECT_FALSE(designCommand->isChecked());
    designCommand->trigger();
    EXPECT_TRUE(dock->isVisible());
    EXPECT_TRUE(mainCommand->isChecked());
    EXPECT_TRUE(designCommand->isChecked());
    dock->setFloating(true);
    mainCommand->trigger();
    EXPECT_FALSE(dock->isFloating());
    EXPECT_EQ(frame.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    EXPECT_TRUE(mainCommand->isChecked());
}

TEST(AccessBarTest, OnlyTheDesignerAsksForTheKey) {
    QTemporaryDir dir;
    const QString nomina = WriteFormat(dir.filePath("nomina.fmt"), "Nómina", "secreta");
    const QString recibo = WriteFormat(dir.filePath("recibo.fmt"), "Recibo");
    SetRecentFormats({nomina, recibo});
    CMainFrame frame(dir.path());
    frame.SetUnattended(true);
    frame.resize(1000, 700);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    CAccessBar& bar = *frame.AccessBar();

    // Whoever is asked for the key answers wrongly.
    int asked = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&asked] {
        if (auto* dialog = dynamic_cast<AccessKeyDialog*>(QApplication::activeModalWidget())) {
            ++asked;
            dialog->KeyEdit()->setText("otra");
            dialog->accept();
        }
    });
    answer.start(10);

    // A key refused leaves no empty window behind.
    ClickRecent(bar, 0);
    QTest::mouseClick(bar.OpenButton(Target::Design), Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(frame.windowTitle(), "PLENOVA ");
    EXPECT_EQ(RecentTexts(bar), QStringList({nomina, recibo}));

    ClickRecent(bar, 0);
    QTest::mouseClick(bar.OpenButton(Target::Capture), Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(RecentTexts(bar), QStringList({nomina, recibo}));
}

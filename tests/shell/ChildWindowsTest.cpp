#include "FieldFormat.h"
#include "capture/CFmtcapturaFrm.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "commands/CommandId.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/DesignDocument.h"
#include "model/Format.h"
#include "model/FormatFile.h"
#include "screen_designer/CFmtpantallaFrm.h"
#include "screen_designer/CFmtpantallaView.h"
#include "shell/CMainFrame.h"
#include "shell/WindowArrangement.h"
#include "shell/WindowMenu.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

enum class Kind { None, Capture, Design, Screen };

// A main window on the screen, as a user finds it.
struct ShownFrame {
    explicit ShownFrame(const QString& folder) : frame(folder) {
        frame.SetUnattended(true);
        // The same format opens in many windows here: every one after the first only reads it.
        frame.SetAsksNothing(true);
        frame.resize(1000, 700);
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }
    QMdiSubWindow* Open(Kind kind, const QString& path) {
        switch (kind) {
        case Kind::None:
            return nullptr;
        case Kind::Capture:
            return frame.OpenForCapture(path);
        case Kind::Design:
            return frame.OpenForDesign(path);
        case Kind::Screen:
            return frame.OpenForScreenDesign(path);
        }
        return nullptr;
    }
    QStringList MenuTitles() const {
        QStringList titles;
        for (const QAction* action : frame.menuBar()->actions())
            titles << action->text();
        return titles;
    }
    CMainFrame frame;
};

QMenu* MenuTitled(const CMainFrame& frame, const QString& title) {
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->text() == title)
            return action->menu();
    }
    return nullptr;
}

// Opens the menu, as a click on its title does, and types a key into it: the command runs from
// inside the menu's own handling of the key. Nothing else is handled meanwhile, so what is left
// for the event loop is still there when this returns.
void TypeIntoMenu(QMenu* menu, const QPoint& place, Qt::Key key) {
    menu->popup(place);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::keyClick(menu, key);
}

// What the event loop does once the current event is handled: the windows closed go.
void FinishClosing() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions)
        texts << action->text();
    return texts;
}

} // namespace

// "Salir" of the menu a window hands to the main window takes that menu along with the window.
// The menu still writes to itself once the command has run, so the window must not go before
// the menu is done with the key: memory freed under it corrupts the heap, and the application
// aborts on its way out.
TEST(ChildWindowsTest, SalirLeavesFromTheMenuOfEveryKindOfWindow) {
    QTemporaryDir dir;
    const QString path = FieldFormat(dir.filePath("factura.fmt"));
    for (Kind kind : {Kind::None, Kind::Capture, Kind::Design, Kind::Screen}) {
        SCOPED_TRACE(static_cast<int>(kind));
        ShownFrame shown(dir.path());
        const QPointer<QMdiSubWindow> child = shown.Open(kind, path);
        ASSERT_EQ(child != nullptr, kind != Kind::None);
        const QPointer<QMenu> file = MenuTitled(shown.frame, "&Archivo");
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(file->actions().constLast()->text(), "&Salir");
        TypeIntoMenu(file, shown.frame.mapToGlobal(QPoint(10, 10)), Qt::Key_S);
        EXPECT_FALSE(shown.frame.isVisible());
        EXPECT_NE(file, nullptr) << "the menu went while it was handling the key";
        FinishClosing();
        EXPECT_TRUE(shown.frame.MdiArea()->subWindowList().isEmpty());
        EXPECT_EQ(child, nullptr);
    }
}

TEST(ChildWindowsTest, TheWindowMenuListsArrangesAndClosesTheWindows) {
    QTemporaryDir dir;
    const QString factura = FieldFormat(dir.filePath("factura.fmt"));
    const QString cheque = FieldFormat(dir.filePath("cheque & cía.fmt"));
    ShownFrame shown(dir.path());
    CMainFrame& frame = shown.frame;
    WindowMenu& windows = *frame.Windows();
    // Not in the main menu: with no window there is nothing to go to.
    EXPECT_EQ(shown.MenuTitles(), QStringList({"&Archivo", "&Ver", "Ay&uda"}));

    QMdiSubWindow* capture = frame.OpenForCapture(factura);
    EXPECT_EQ(shown.MenuTitles(), QStringList({"&Archivo", "&Ver", "Ve&ntana", "A&yuda"}));
    QMdiSubWindow* screen = frame.OpenForScreenDesign(cheque);
    EXPECT_EQ(shown.MenuTitles(),
              QStringList({"&Archivo", "&Edición", "&Ver", "&Formato", "Ve&ntana", "A&yuda"}));
    CFmtdesignFrm* design = frame.NewDesign();
    EXPECT_EQ(shown.MenuTitles(), QStringList({"&Archivo", "&Edición", "&Ver", "&Insertar",
                                               "&Formato", "Ve&ntana", "A&yuda"}));

    emit windows.Menu()->aboutToShow();
    const QStringList listed = {"&1 Pantalla de captura - " + factura,
                                "&2 Diseño de pantalla - " + QString(cheque).replace("&", "&&"),
                                "&3 Diseño de formato - (nuevo)"};
    EXPECT_EQ(Texts(windows.WindowActions()), listed);
    const auto ticked = [&windows] {
        QList<bool> checks;
        for (const QAction* action : windows.WindowActions())
            checks << action->isChecked();
        return checks;
    };
    EXPECT_EQ(ticked(), QList<bool>({false, false, true}));

    // Chosen from the list, a window comes to the front, ticked; chosen again it stays ticked.
    windows.WindowActions().at(0)->trigger();
    EXPECT_EQ(frame.MdiArea()->activeSubWindow(), capture);
    EXPECT_EQ(ticked(), QList<bool>({true, false, false}));
    windows.WindowActions().at(0)->trigger();
    EXPECT_EQ(ticked(), QList<bool>({true, false, false}));

    // The list follows a caption that changes.
    const QString named = dir.filePath("nuevo.fmt");
    design->Document().Insert(ControlTypeCode::ConsText, Point{100, -100});
    design->SetFileChooser([&named](CFmtdesignFrm::FormatDialog) { return named; });
    ASSERT_TRUE(design->Save());
    emit windows.Menu()->aboutToShow();
    EXPECT_EQ(windows.WindowActions().at(2)->text(), "&3 Diseño de formato - " + named);

    // Arranged, a maximized window among them, every window lies whole in the area; cascaded,
    // each in the stack stands lower and further right than the one behind it.
    const QRect area(QPoint(0, 0), frame.MdiArea()->viewport()->size());
    screen->showMaximized();
    for (CommandId arrange : {CommandId::Tile, CommandId::Cascade}) {
        windows.CommandAction(arrange)->trigger();
        const QList<QMdiSubWindow*> stacked =
            frame.MdiArea()->subWindowList(QMdiArea::StackingOrder);
        for (int i = 0; i < stacked.size(); ++i) {
            EXPECT_FALSE(stacked.at(i)->isMaximized());
            EXPECT_TRUE(area.contains(stacked.at(i)->geometry()))
                << static_cast<int>(arrange) << " " << i;
            if (arrange == CommandId::Cascade && i > 0) {
                EXPECT_GT(stacked.at(i)->pos().y(), stacked.at(i - 1)->pos().y()) << i;
            }
        }
    }

    // "Cerrar todas" closes from the first window on; a design with changes asks, and its
    // cancel keeps it open.
    design->Document().Insert(ControlTypeCode::ConsText, Point{300, -300});
    design->SetSaveQuestion([](const QString&) { return CFmtdesignFrm::SaveAnswer::Cancel; });
    frame.MdiArea()->setActiveSubWindow(screen);
    TypeIntoMenu(MenuTitled(frame, "Ve&ntana"), frame.mapToGlobal(QPoint(10, 10)), Qt::Key_T);
    FinishClosing();
    EXPECT_EQ(frame.MdiArea()->subWindowList(), QList<QMdiSubWindow*>({design}));
    emit windows.Menu()->aboutToShow();
    EXPECT_EQ(Texts(windows.WindowActions()),
              QStringList({"&1 Diseño de formato - " + named + " *"}));

    design->SetSaveQuestion([](const QString&) { return CFmtdesignFrm::SaveAnswer::Discard; });
    EXPECT_TRUE(windows.CloseAll());
    FinishClosing();
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
    // The main caption names no window that is gone, and the menu has nothing to do.
    EXPECT_EQ(frame.windowTitle(), "PLENOVA ");
    emit windows.Menu()->aboutToShow();
    EXPECT_TRUE(windows.WindowActions().isEmpty());
    EXPECT_FALSE(windows.CommandAction(CommandId::Cascade)->isEnabled());
    EXPECT_FALSE(windows.CommandAction(CommandId::CloseAllWindows)->isEnabled());
    EXPECT_EQ(shown.MenuTitles(), QStringList({"&Archivo", "&Ver", "Ay&uda"}));
}

TEST(ChildWindowsTest, ANewWindowOpensWhereItCanBeReached) {
    QTemporaryDir dir;
    const QString path = FieldFormat(dir.filePath("factura.fmt"));
    ShownFrame shown(dir.path());
    CMainFrame& frame = shown.frame;
    const QRect area(QPoint(0, 0), frame.MdiArea()->viewport()->size());

    // Beside a maximized window, every kind opens maximized too, over the whole area: its caption
    // is the main window's, its buttons are at hand.
    CFmtdesignFrm* design = frame.NewDesign();
    design->showMaximized();
    for (Kind kind : {Kind::Capture, Kind::Screen, Kind::Design}) {
        QMdiSubWindow* child = shown.Open(kind, path);
        ASSERT_NE(child, nullptr);
        EXPECT_TRUE(child->isMaximized()) << static_cast<int>(kind);
        EXPECT_TRUE(child->geometry().contains(area)) << static_cast<int>(kind);
        EXPECT_EQ(frame.MdiArea()->activeSubWindow(), child);
    }

    // Otherwise it opens whole inside the area, its title bar below the one in front.
    for (QMdiSubWindow* child : frame.MdiArea()->subWindowList())
        child->showNormal();
    frame.MdiArea()->setActiveSubWindow(design);
    design->move(0, 0);
    for (Kind kind : {Kind::Capture, Kind::Screen, Kind::Design, Kind::Capture}) {
        QMdiSubWindow* front = frame.MdiArea()->activeSubWindow();
        QMdiSubWindow* child = shown.Open(kind, path);
        ASSERT_NE(child, nullptr);
        EXPECT_FALSE(child->isMaximized());
        EXPECT_TRUE(area.contains(child->geometry())) << static_cast<int>(kind);
        EXPECT_NE(child->pos(), front->pos());
        // Sized to its arrangement, a capture-screen window needs no scroll bars.
        if (auto* screen = qobject_cast<CFmtpantallaFrm*>(child)) {
            EXPECT_FALSE(screen->View()->horizontalScrollBar()->isVisible());
            EXPECT_FALSE(screen->View()->verticalScrollBar()->isVisible());
        }
    }
}

TEST(ChildWindowsTest, ArrangementsKeepEveryWindowWithinTheArea) {
    const QSize area(900, 600);
    const QList<QSize> small(3, QSize(100, 100));
    EXPECT_EQ(WindowArrangement::Tile(area, small),
              QList<QRect>({{0, 0, 450, 300}, {450, 0, 450, 300}, {0, 300, 900, 300}}));
    EXPECT_EQ(WindowArrangement::Cascade(area, small, 20),
              QList<QRect>({{0, 0, 860, 560}, {20, 20, 860, 560}, {40, 40, 860, 560}}));

    // Many windows keep two thirds of the area and start again at the corner when the steps
    // run out: 200 pixels of height leave room for ten steps of 20.
    const QList<QRect> many = WindowArrangement::Cascade(area, QList<QSize>(12, QSize()), 20);
    EXPECT_EQ(many.at(0), QRect(0, 0, 680, 400));
    EXPECT_EQ(many.at(10), QRect(200, 200, 680, 400));
    EXPECT_EQ(many.at(11), QRect(0, 0, 680, 400));

    // A window larger than its share stays whole, moved back inside; one larger than the area
    // takes the whole area.
    const QList<QRect> wide =
        WindowArrangement::Tile(area, {QSize(100, 100), QSize(600, 100), QSize(1200, 700)});
    EXPECT_EQ(wide.at(1), QRect(300, 0, 600, 300));
    EXPECT_EQ(wide.at(2), QRect(0, 0, 900, 600));
    EXPECT_TRUE(WindowArrangement::Cascade(area, {}, 20).isEmpty());
}

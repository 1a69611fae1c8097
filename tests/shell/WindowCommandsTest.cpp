#include "capture/CFmtcapturaFrm.h"
#include "commands/CommandTable.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/CFmtdesignView.h"
#include "designer/DesignDocument.h"
#include "model/Format.h"
#include "model/FormatFile.h"
#include "screen_designer/CFmtpantallaFrm.h"
#include "shell/CMainFrame.h"
#include "shell/WindowMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

// What one window shows of its commands, checked against the table of commands entry by entry;
// every number met is kept, to find the table's commands no window has.
class TableCheck {
public:
    void Menus(const QList<QMenu*>& menus, const QString& where, bool mainMenu = false) {
        for (const QMenu* menu : menus)
            Entries(menu->actions(), where + "/" + menu->title(), mainMenu);
    }

    void Entries(const QList<QAction*>& actions, const QString& where, bool mainMenu = false) {
        for (const QAction* action : actions) {
            if (action->isSeparator())
                continue;
            if (action->menu()) {
                Entries(action->menu()->actions(), where + "/" + action->menu()->title(), mainMenu);
                continue;
            }
            const CommandTable::Entry* entry = Entry(*action, where);
            if (!entry)
                continue;
            const QString text = CommandTable::Text(*entry, mainMenu);
            // Undo and redo name the step they take after the table's text.
            if (entry->id == CommandId::Undo || entry->id == CommandId::Redo) {
                EXPECT_TRUE(action->text().startsWith(text)) << Where(where, *action);
            } else {
                EXPECT_EQ(action->text(), text) << Where(where, *action);
            }
            EXPECT_EQ(action->statusTip(), CommandTable::Prompt(*entry)) << Where(where, *action);
            EXPECT_EQ(action->shortcuts(), CommandTable::Keys(*entry)) << Where(where, *action);
            EXPECT_EQ(action->isCheckable(), entry->checkable) << Where(where, *action);
        }
    }

    void ToolBar(const QToolBar& bar, const QString& where) {
        for (QAction* action : bar.actions()) {
            if (action->isSeparator() || !action->data().isValid())
                continue;
            const CommandTable::Entry* entry = Entry(*action, where);
            if (!entry)
                continue;
            EXPECT_EQ(action->toolTip(), CommandTable::Tip(*entry)) << Where(where, *action);
            EXPECT_FALSE(action->icon().isNull()) << Where(where, *action);
            // A button shows its tip beside its picture, or its picture alone.
            const auto* button = qobject_cast<const QToolButton*>(bar.widgetForAction(action));
            ASSERT_NE(button, nullptr);
            if (bar.toolButtonStyle() == Qt::ToolButtonTextBesideIcon) {
                EXPECT_EQ(button->text(), CommandTable::Tip(*entry)) << Where(where, *action);
            }
        }
    }

    // Commands a window makes without a menu or a button: those of keys only, and one shown
    // nowhere that the window still answers.
    void Owned(const QObject& owner) {
        for (const QAction* action : owner.findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
            if (action->data().isValid())
                Entry(*action, owner.objectName());
        }
    }

    const std::set<int>& Seen() const { return m_seen; }

private:
    const CommandTable::Entry* Entry(const QAction& action, const QString& where) {
        const int number = action.data().toInt();
        m_seen.insert(number);
        const CommandTable::Entry* entry = CommandTable::Find(static_cast<CommandId>(number));
        EXPECT_NE(entry, nullptr) << Where(where, action) << " is not in the table";
        return entry;
    }

    static std::string Where(const QString& where, const QAction& action) {
        return QStringLiteral("%1: %2 (%3)")
            .arg(where, action.text())
            .arg(action.data().toInt())
            .toStdString();
    }

    std::set<int> m_seen;
};

} // namespace

TEST(WindowCommandsTest, EveryWindowShowsItsCommandsAsTheTableHasThem) {
    QTemporaryDir dir;
    const QString path = dir.filePath("factura.fmt");
    Format format;
    FormatFile::Save(path, format, FormatSettings());
    CMainFrame frame(dir.path());
    frame.SetUnattended(true);
    TableCheck check;
    QList<QMenu*> mainMenus;
    for (const QAction* entry : frame.menuBar()->actions())
        mainMenus << entry->menu();
    check.Menus(mainMenus, "PLENOVA", true);
    check.Owned(frame);
    check.Menus({frame.Windows()->Menu()}, "Ventana");

    CFmtcapturaFrm* capture = frame.OpenForCapture(path);
    ASSERT_NE(capture, nullptr);
    check.Menus(capture->Menus(), "captura");
    check.ToolBar(*capture->ToolBar(), "captura");
    check.Owned(*capture);

    CFmtdesignFrm* design = frame.NewDesign();
    check.Menus(design->Menus(), "diseño");
    check.ToolBar(*design->ToolBar(130), "diseño 130");
    check.ToolBar(*design->ToolBar(136), "diseño 136");
    check.Owned(*design);
    design->Document().Insert(ControlTypeCode::ConsText, Point{200, -200});
    const std::unique_ptr<QMenu> context(design->View()->MakeContextMenu(nullptr));
    check.Entries(context->actions(), "menú del diseño");

    CFmtpantallaFrm* screen = frame.OpenForScreenDesign(path);
    ASSERT_NE(screen, nullptr);
    check.Menus(screen->Menus(), "pantalla");
    check.ToolBar(*screen->ToolBar(), "pantalla");
    check.Owned(*screen);

    // Every command of the table is some window's.
    for (const CommandTable::Entry& entry : CommandTable::All())
        EXPECT_TRUE(check.Seen().count(static_cast<int>(entry.id))) << static_cast<int>(entry.id);
}

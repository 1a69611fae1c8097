#include "commands/CommandTable.h"
#include "commands/WindowCommands.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <QWidget>

#include <gtest/gtest.h>

#include <set>

namespace {

int Number(CommandId id) {
    return static_cast<int>(id);
}

// A step of an undo stack that changes nothing.
class Step : public QUndoCommand {
public:
    explicit Step(const QString& text) : QUndoCommand(text) {}
    void undo() override {}
    void redo() override {}
};

} // namespace

TEST(CommandTableTest, EachNumberIsOneCommandWithKeysAndTipsThatHold) {
    std::set<int> numbers;
    for (const CommandTable::Entry& entry : CommandTable::All()) {
        const int number = Number(entry.id);
        EXPECT_TRUE(numbers.insert(number).second) << number << " twice";
        EXPECT_EQ(CommandTable::Find(entry.id), &entry) << number;
        // A command shows in a menu, on a toolbar, or through its keys: it has something to
        // show there.
        EXPECT_FALSE(CommandTable::Text(entry).isEmpty()) << number;
        // A button tells what it does.
        if (entry.picture != ToolPicture::None) {
            EXPECT_NE(entry.tip, nullptr) << number;
        }
        // Keys as written are keys Qt knows: a misspelt name reads back otherwise.
        if (entry.keys) {
            EXPECT_EQ(
                QKeySequence::listToString(CommandTable::Keys(entry), QKeySequence::PortableText),
                QString::fromLatin1(entry.keys))
                << number;
        }
        const QString text = CommandTable::Text(entry);
        EXPECT_LE(text.count(QLatin1Char('&')), 1) << number;
    }
    EXPECT_EQ(CommandTable::Find(static_cast<CommandId>(1)), nullptr);

    const CommandTable::Entry& open = *CommandTable::Find(CommandId::OpenForCapture);
    EXPECT_EQ(CommandTable::Text(open), "&Abrir formato para captura");
    EXPECT_EQ(CommandTable::Text(open, true), "&Pantalla de captura");
    // A command with no other text in the main menu keeps its own there.
    EXPECT_EQ(CommandTable::Text(*CommandTable::Find(CommandId::Exit), true), "&Salir");
    // One only on a toolbar is named by its tip.
    EXPECT_EQ(CommandTable::Text(*CommandTable::Find(CommandId::SelectTool)), "Seleccionar");
}

TEST(CommandTableTest, AWindowsMenusAndToolbarsShowTheTable) {
    QWidget window;
    QStatusBar status(&window);
    WindowCommands commands(&window);
    using enum CommandId;
    using Entry = WindowCommands::MenuEntry;
    QMenu* menu =
        commands.MakeMenu("&Formato", {FormatSettings, Entry::Separator(),
                                       Entry::Submenu("Alineación", {AlignLeft, AlignRight})});
    commands.ShowPromptsIn(&status);

    const QList<QAction*> entries = menu->actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(menu->title(), "&Formato");
    EXPECT_EQ(entries.at(0), commands.Action(FormatSettings));
    EXPECT_EQ(entries.at(0)->text(), "Configuración del formato");
    EXPECT_EQ(entries.at(0)->data().toInt(), 32817);
    EXPECT_EQ(entries.at(0)->toolTip(), "Configurar");
    EXPECT_TRUE(entries.at(1)->isSeparator());
    QMenu* alignment = entries.at(2)->menu();
    ASSERT_NE(alignment, nullptr);
    EXPECT_EQ(alignment->title(), "Alineación");
    EXPECT_EQ(alignment->actions(),
              (QList<QAction*>{commands.Action(AlignLeft), commands.Action(AlignRight)}));

    // The prompt of the command under the pointer shows until its menu closes; menus made
    // before the status bar was given do so too.
    commands.Action(AlignRight)->hover();
    EXPECT_EQ(status.currentMessage(), "Alinea el texto a la derecha del área de impresión");
    emit alignment->aboutToHide();
    EXPECT_TRUE(status.currentMessage().isEmpty());

    // A button is the menu's own command, ticked with it; a button of pictures alone shows its
    // picture in the menu too, one with its tip beside does not, and a picture of the button's
    // own replaces the table's.
    QToolBar bar;
    commands.FillToolBar(&bar, {AlignLeft, WindowCommands::ToolButton::Separator(), UpperCase});
    ASSERT_EQ(bar.actions().size(), 3);
    EXPECT_EQ(bar.actions().at(0), commands.Action(AlignLeft));
    QAction* upper = commands.Action(UpperCase);
    EXPECT_TRUE(upper->isCheckable());
    EXPECT_EQ(bar.toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_FALSE(upper->icon().isNull());
    EXPECT_TRUE(upper->isIconVisibleInMenu());
    QToolBar themed;
    commands.FillToolBar(&themed, {{About, ToolPicture::ThemeAbout}},
                         WindowCommands::ButtonLook::PictureAndTip);
    EXPECT_EQ(themed.toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    EXPECT_EQ(commands.Action(About)->iconText(), "Acerca de");
    const auto picture = [](const QIcon& icon) { return icon.pixmap(QSize(16, 16)).toImage(); };
    EXPECT_EQ(picture(commands.Action(About)->icon()),
              picture(WindowCommands::Picture(ToolPicture::ThemeAbout)));
    EXPECT_NE(picture(commands.Action(About)->icon()),
              picture(WindowCommands::Picture(ToolPicture::About)));
    EXPECT_FALSE(commands.Action(About)->isIconVisibleInMenu());
    delete menu;
}

TEST(CommandTableTest, KeysWorkInTheirWindowOrEverywhere) {
    QWidget window;
    WindowCommands commands(&window);
    QAction* save = commands.Add(CommandId::SaveScreen);
    EXPECT_EQ(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(save->shortcutContext(), Qt::WidgetWithChildrenShortcut);
    QAction* help = commands.Add(CommandId::HelpKey);
    EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(help->shortcutContext(), Qt::ApplicationShortcut);
    // Only commands with keys join the window's actions, where the keys reach them.
    commands.Add(CommandId::Exit);
    EXPECT_EQ(window.actions(), (QList<QAction*>{save, help}));

    // The main frame names its commands with the main menu's texts.
    WindowCommands main(&window, true);
    EXPECT_EQ(main.Add(CommandId::NewDesign)->text(), "&Nuevo diseño");
    EXPECT_EQ(main.Action(CommandId::Exit), nullptr);
}

TEST(CommandTableTest, UndoAndRedoNameTheStepAndTakeTheTablesKeys) {
    QWidget window;
    QUndoStack stack;
    WindowCommands commands(&window);
    commands.AddUndo(stack);
    QAction* undo = commands.Action(CommandId::Undo);
    QAction* redo = commands.Action(CommandId::Redo);
    EXPECT_FALSE(undo->isEnabled());
    stack.push(new Step(QStringLiteral("Mover")));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "&Deshacer Mover");
    EXPECT_EQ(undo->statusTip(), "Deshace el último cambio");
    EXPECT_EQ(undo->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z),
                                                      QKeySequence(Qt::ALT | Qt::Key_Backspace)}));
    undo->trigger();
    EXPECT_EQ(redo->text(), "&Rehacer Mover");
    EXPECT_EQ(redo->data().toInt(), 57644);
    EXPECT_EQ(window.actions(), (QList<QAction*>{undo, redo}));
}

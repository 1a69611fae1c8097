#pragma once

#include "commands/CommandId.h"
#include "commands/ToolPicture.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QPointer>

#include <optional>
#include <vector>

class QAction;
class QMenu;
class QObject;
class QStatusBar;
class QToolBar;
class QUndoStack;

// The commands of one window, made from the table of commands (CommandTable): one action for
// each command the window has, with the table's text, prompt, tip, keys and check box, and the
// menus and toolbars that show them. A window lists, menu by menu and button by button, the
// commands it shows; what each one shows comes from the table alone.
class WindowCommands {
public:
    // One entry of a menu: a command, a separator, or a submenu with its title and entries.
    struct MenuEntry {
        // A command, so that a menu lists its commands by name.
        MenuEntry(CommandId id) : command(id) {}
        static MenuEntry Separator() { return MenuEntry(); }
        static MenuEntry Submenu(const char* title, std::vector<MenuEntry> entries);

        std::optional<CommandId> command;
        const char* title = nullptr;
        std::vector<MenuEntry> entries;

    private:
        MenuEntry() = default;
    };

    // One button of a toolbar: a command with the table's picture, or another one of its own
    // (the capture window shows the desktop theme's "Acerca de"), or a separator.
    struct ToolButton {
        ToolButton(CommandId id, ToolPicture ownPicture = ToolPicture::None)
            : command(id), picture(ownPicture) {}
        static ToolButton Separator() { return ToolButton(); }

        std::optional<CommandId> command;
        ToolPicture picture = ToolPicture::None;

    private:
        ToolButton() = default;
    };

    // What a toolbar's buttons show: their pictures alone, which the menus then show beside the
    // same commands (the designers'), or their tips beside their pictures, and the menus no
    // pictures (the capture window's).
    enum class ButtonLook { Picture, PictureAndTip };

    // The actions belong to owner; keys work inside it when it is a widget (everywhere in the
    // application for the table's F1). The main frame's menu shows the main menu's texts.
    explicit WindowCommands(QObject* owner, bool mainMenu = false);

    // The command's action, made from the table the first time.
    QAction* Add(CommandId id);
    // nullptr for a command the window has not made.
    QAction* Action(CommandId id) const;
    // "Deshacer" and "Rehacer" over a document's undo stack: their texts name the step they
    // undo or redo, and they are enabled while there is one.
    void AddUndo(QUndoStack& stack);

    // A menu with the entries listed, owned by the caller: a window's menus are shown in the
    // main frame's menu bar, not among the window's children.
    QMenu* MakeMenu(const char* title, const std::vector<MenuEntry>& entries);
    // Adds the buttons listed to bar: each one is the command's own action, so the menu and the
    // button are enabled and ticked together.
    void FillToolBar(QToolBar* bar, const std::vector<ToolButton>& buttons,
                     ButtonLook look = ButtonLook::Picture);
    // The prompt of the command under the pointer goes to bar, and goes away when its menu
    // closes.
    void ShowPromptsIn(QStatusBar* bar);

    // The picture of a toolbar button, at both densities.
    static QIcon Picture(ToolPicture picture);

private:
    void ShowPrompt(QAction* action);
    void ClearPromptOnHide(QMenu* menu);
    void Fill(QMenu* menu, const std::vector<MenuEntry>& entries);

    QObject* m_owner;
    bool m_mainMenu;
    QHash<int, QAction*> m_actions;
    QList<QPointer<QMenu>> m_menus;
    QStatusBar* m_prompts = nullptr;
};

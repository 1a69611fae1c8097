#include "commands/WindowCommands.h"

#include "commands/CommandTable.h"
#include "commands/DesignerPictures.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>
#include <QWidget>

namespace {

// The capture window's pictures: the desktop theme's, or the style's where the theme has none.
struct ThemePicture {
    ToolPicture picture;
    QStyle::StandardPixmap fallback;
    const char* name;
};

constexpr ThemePicture kThemePictures[] = {
    {ToolPicture::ThemeOpen, QStyle::SP_DialogOpenButton, "document-open"},
    {ToolPicture::ThemePrint, QStyle::SP_FileIcon, "document-print"},
    {ToolPicture::ThemePreview, QStyle::SP_FileDialogContentsView, "document-print-preview"},
    {ToolPicture::ThemeProperties, QStyle::SP_FileDialogDetailedView, "document-properties"},
    {ToolPicture::ThemeClear, QStyle::SP_DialogResetButton, "edit-clear"},
    {ToolPicture::ThemeAbout, QStyle::SP_MessageBoxInformation, "help-about"},
};

const CommandTable::Entry& EntryOf(CommandId id) {
    const CommandTable::Entry* entry = CommandTable::Find(id);
    Q_ASSERT_X(entry, "WindowCommands", "a command missing from the table");
    return *entry;
}

// The table's texts, keys and check box on an action made here or by an undo stack.
void Describe(QAction* action, const CommandTable::Entry& entry, QObject* owner) {
    action->setData(static_cast<int>(entry.id));
    action->setStatusTip(CommandTable::Prompt(entry));
    const QString tip = CommandTable::Tip(entry);
    if (!tip.isEmpty())
        action->setToolTip(tip);
    action->setCheckable(entry.checkable);
    const QList<QKeySequence> keys = CommandTable::Keys(entry);
    if (keys.isEmpty())
        return;
    action->setShortcuts(keys);
    if (entry.everywhere) {
        action->setShortcutContext(Qt::ApplicationShortcut);
    } else {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
    if (auto* window = qobject_cast<QWidget*>(owner))
        window->addAction(action);
}

} // namespace

WindowCommands::MenuEntry WindowCommands::MenuEntry::Submenu(const char* title,
                                                             std::vector<MenuEntry> entries) {
    MenuEntry submenu;
    submenu.title = title;
    submenu.entries = std::move(entries);
    return submenu;
}

WindowCommands::WindowCommands(QObject* owner, bool mainMenu)
    : m_owner(owner), m_mainMenu(mainMenu) {}

QAction* WindowCommands::Add(CommandId id) {
    if (QAction* made = Action(id))
        return made;
    const CommandTable::Entry& entry = EntryOf(id);
    auto* action = new QAction(CommandTable::Text(entry, m_mainMenu), m_owner);
    Describe(action, entry, m_owner);
    m_actions.insert(static_cast<int>(id), action);
    ShowPrompt(action);
    return action;
}

QAction* WindowCommands::Action(CommandId id) const {
    return m_actions.value(static_cast<int>(id));
}

void WindowCommands::AddUndo(QUndoStack& stack) {
    for (CommandId id : {CommandId::Undo, CommandId::Redo}) {
        const CommandTable::Entry& entry = EntryOf(id);
        const QString text = CommandTable::Text(entry);
        QAction* action = id == CommandId::Undo ? stack.createUndoAction(m_owner, text)
                                                : stack.createRedoAction(m_owner, text);
        Describe(action, entry, m_owner);
        m_actions.insert(static_cast<int>(id), action);
        ShowPrompt(action);
    }
}

QMenu* WindowCommands::MakeMenu(const char* title, const std::vector<MenuEntry>& entries) {
    auto* menu = new QMenu(QString::fromUtf8(title));
    Fill(menu, entries);
    return menu;
}

void WindowCommands::Fill(QMenu* menu, const std::vector<MenuEntry>& entries) {
    m_menus.append(menu);
    ClearPromptOnHide(menu);
    for (const MenuEntry& entry : entries) {
        if (entry.command)
            menu->addAction(Add(*entry.command));
        else if (entry.title)
            Fill(menu->addMenu(QString::fromUtf8(entry.title)), entry.entries);
        else
            menu->addSeparator();
    }
}

void WindowCommands::FillToolBar(QToolBar* bar, const std::vector<ToolButton>& buttons,
                                 ButtonLook look) {
    const bool tips = look == ButtonLook::PictureAndTip;
    bar->setToolButtonStyle(tips ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    for (const ToolButton& button : buttons) {
        if (!button.command) {
            bar->addSeparator();
            continue;
        }
        QAction* action = Add(*button.command);
        const ToolPicture picture =
            button.picture != ToolPicture::None ? button.picture : EntryOf(*button.command).picture;
        action->setIcon(Picture(picture));
        action->setIconVisibleInMenu(!tips);
        // A button shows its text as the action's icon text: the tip, not the menu's text.
        if (tips)
            action->setIconText(action->toolTip());
        bar->addAction(action);
    }
}

void WindowCommands::ShowPromptsIn(QStatusBar* bar) {
    m_prompts = bar;
    for (QAction* action : std::as_const(m_actions))
        ShowPrompt(action);
    for (QMenu* menu : std::as_const(m_menus)) {
        if (menu)
            ClearPromptOnHide(menu);
    }
}

void WindowCommands::ShowPrompt(QAction* action) {
    if (!m_prompts)
        return;
    QStatusBar* bar = m_prompts;
    QObject::connect(action, &QAction::hovered, bar,
                     [bar, action] { bar->showMessage(action->statusTip()); });
}

void WindowCommands::ClearPromptOnHide(QMenu* menu) {
    if (m_prompts)
        QObject::connect(menu, &QMenu::aboutToHide, m_prompts, &QStatusBar::clearMessage);
}

QIcon WindowCommands::Picture(ToolPicture picture) {
    for (const ThemePicture& theme : kThemePictures) {
        if (theme.picture == picture)
            return QIcon::fromTheme(QString::fromLatin1(theme.name),
                                    QApplication::style()->standardIcon(theme.fallback));
    }
    return DesignerPictures::ToolIcon(picture);
}

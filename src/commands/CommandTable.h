#pragma once

#include "commands/CommandId.h"
#include "commands/ToolPicture.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <span>

// What every command of the windows shows, once for all of them: its menu text with its
// mnemonic, the prompt the status bar shows while it is under the pointer, the tip of its
// toolbar button, its keys, its picture and whether it is ticked on and off. Every window makes
// its menus and toolbars from here (WindowCommands).
class CommandTable {
public:
    struct Entry {
        CommandId id;
        // The menu text, "&" before the mnemonic; none for a command no menu shows (a button or
        // a key only), whose text is then its tip.
        const char* text = nullptr;
        // The main menu's text, where the main menu names the command otherwise ("&Nuevo
        // diseño" opens what the designer's own menu calls "Nuevo formato").
        const char* mainText = nullptr;
        const char* prompt = nullptr;
        const char* tip = nullptr;
        // Portable key names, "; " between two keys of one command ("Ctrl+Z; Alt+Backspace").
        const char* keys = nullptr;
        // The keys work wherever the focus is in the application, not only inside the window.
        bool everywhere = false;
        ToolPicture picture = ToolPicture::None;
        bool checkable = false;
    };

    // Every command, each once.
    static std::span<const Entry> All();
    // The command's entry; nullptr for a number that names no command.
    static const Entry* Find(CommandId id);

    // The entry's texts as a window shows them: the menu text (the main menu's when asked and
    // the entry has one; the tip for a command no menu shows), the prompt, the tip and the keys.
    static QString Text(const Entry& entry, bool mainMenu = false);
    static QString Prompt(const Entry& entry);
    static QString Tip(const Entry& entry);
    static QList<QKeySequence> Keys(const Entry& entry);
};

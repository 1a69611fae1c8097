#pragma once

#include <QString>

// A message a window gives the user: a message box where there is a screen, the program's
// warning channel where the windows run off-screen (the tests). The layers below report
// failures as exceptions and warnings, and the window that catches them shows them here.
class UserMessage {
public:
    // The title of every message box: the product's name, whatever name the installation's
    // settings are kept under.
    static QString Title();
    static void Error(const QString& message);
    static void Warning(const QString& message);
    // A plain notice: no icon, an OK button.
    static void Plain(const QString& message);
};

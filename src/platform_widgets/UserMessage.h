#pragma once

#include <QString>

// A message for the user: a message box where the program has a screen with widgets, and the
// program's warning channel elsewhere (plenova-cli, tests), so the same code serves both.
class UserMessage {
public:
    static void Error(const QString& message);
    static void Warning(const QString& message);
};

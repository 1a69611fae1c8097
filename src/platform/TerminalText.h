#pragma once

#include <QString>

// Text from a file (a format's name inside a capture, a CSV value) on its way into a message on
// a terminal. A control character there would be obeyed by the terminal: an escape sequence can
// retitle the window, clear the screen or hide what follows. Escaped, it shows as what it is.
class TerminalText {
public:
    // Every control character but the line break and the tab as \xHH (\x1B for escape).
    static QString Escaped(const QString& message);
};

#pragma once

#include <QLoggingCategory>

// Messages for the user that have no window to show them in (a capture run unattended) go out
// under this category and always reach standard error.
Q_DECLARE_LOGGING_CATEGORY(lcUserMessages)

// What reaches standard error of Plenova's programs. Qt's own notes (a file engine that was given
// no name, the PNG library's "Write Error", the desktop session's folders) are meant for
// developers and are in English: they are kept off standard error, where a user would read them
// before Plenova's own line, unless PLENOVA_DEBUG is set to anything but 0. A fatal message
// always gets through. Only a program's main installs the filter.
class DiagnosticMessages {
public:
    static void Install();
    // Whether PLENOVA_DEBUG asks for Qt's messages.
    static bool Requested();
};

#pragma once

#include <QIcon>

// Plenova's mark for its windows (title bars, the task switcher): the pictures the desktop's
// icon theme is given at install time, at each of their sizes, compiled into the program so
// that a window shows it even when Plenova runs from its build folder.
class ApplicationIcon {
public:
    static QIcon Load();
};

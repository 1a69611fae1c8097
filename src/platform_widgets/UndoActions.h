#pragma once

#include <QPair>

class QAction;
class QUndoStack;
class QWidget;

// The "Deshacer" and "Rehacer" commands of a window over its document's undo stack: their texts
// name the step they undo or redo, and their keys (Ctrl+Z or Alt+Backspace, Ctrl+Y or
// Ctrl+Shift+Z) work wherever the focus is inside the window.
class UndoActions {
public:
    static QPair<QAction*, QAction*> Make(QUndoStack& stack, QWidget* window);
};

#include "platform_widgets/UndoActions.h"

#include <QAction>
#include <QUndoStack>
#include <QWidget>

QPair<QAction*, QAction*> UndoActions::Make(QUndoStack& stack, QWidget* window) {
    QAction* undo = stack.createUndoAction(window, QStringLiteral("&Deshacer"));
    undo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    undo->setStatusTip(QStringLiteral("Deshace el último cambio"));
    QAction* redo = stack.createRedoAction(window, QStringLiteral("&Rehacer"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redo->setStatusTip(QStringLiteral("Rehace el último cambio deshecho"));
    for (QAction* action : {undo, redo}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        window->addAction(action);
    }
    return {undo, redo};
}

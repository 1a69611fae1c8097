#pragma once

#include "commands/CommandId.h"
#include "commands/WindowCommands.h"

#include <QList>
#include <QMdiArea>
#include <QObject>
#include <QPointer>
#include <QRect>

class QAction;
class QMdiSubWindow;
class QMenu;

// The "Ventana" menu of the child windows' menu bars: the open windows cascaded, tiled or all
// closed, and their list, numbered, with the active one ticked; choosing one brings it to the
// front. The menu reads the area each time it opens and whenever the active window changes, so
// it always lists the windows as they are, with their captions of the moment; with no window
// open its commands are disabled.
//
// The list's commands are made once and kept: a command that brings a window forward changes
// the active window while its own menu is still handling the click, and nothing it uses may go
// then.
class WindowMenu : public QObject {
    Q_OBJECT
public:
    WindowMenu(QMdiArea* area, QObject* parent = nullptr);
    ~WindowMenu() override;

    QMenu* Menu() const { return m_menu; }
    QAction* CommandAction(CommandId id) const;
    // The commands of the list, one for each window listed, in the order of the menu.
    QList<QAction*> WindowActions() const;
    // Lists the windows again and enables the commands; done whenever the menu opens.
    void Refresh();
    // "Cascada" and "Mosaico" (see WindowArrangement): the windows shown, neither minimized nor
    // maximized, a maximized one restored first.
    void Cascade();
    void Tile();
    // "Cerrar todas": closes the windows one by one, each asking as its own "Cerrar" does; a
    // window whose question is cancelled stays, and so do the ones after it.
    bool CloseAll();

private:
    void Activate(int index);
    // The windows an arrangement moves, in the order given, a maximized one restored first.
    QList<QMdiSubWindow*> Restored(QMdiArea::WindowOrder order);
    static void Place(const QList<QMdiSubWindow*>& windows, const QList<QRect>& places);

    QMdiArea* m_area;
    WindowCommands m_commands;
    QMenu* m_menu;
    QAction* m_listSeparator;
    QList<QAction*> m_windowActions;
    QList<QPointer<QMdiSubWindow>> m_listed;
};

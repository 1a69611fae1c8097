#include "shell/WindowMenu.h"

#include "shell/WindowArrangement.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>

#include <iterator>
#include <vector>

namespace {

// The commands above the list of windows.
constexpr CommandId kCommands[] = {CommandId::Cascade, CommandId::Tile, CommandId::CloseAllWindows};

// Windows past the ninth are listed without a key of their own.
constexpr int kNumberedWindows = 9;

// The windows a user can go to: a window on its way out (closed, waiting to be deleted) or not
// shown yet is none of them.
QList<QMdiSubWindow*> OpenWindows(const QMdiArea& area) {
    QList<QMdiSubWindow*> open;
    for (QMdiSubWindow* child : area.subWindowList()) {
        if (!child->isHidden())
            open << child;
    }
    return open;
}

QString ListText(int number, const QString& caption) {
    QString text = caption;
    // An ampersand of a file name is a letter to show, not a key.
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    if (number <= kNumberedWindows)
        return QStringLiteral("&%1 %2").arg(number).arg(text);
    return QStringLiteral("%1 %2").arg(number).arg(text);
}

} // namespace

WindowMenu::WindowMenu(QMdiArea* area, QObject* parent)
    : QObject(parent), m_area(area), m_commands(this) {
    m_menu = m_commands.MakeMenu("Ve&ntana", std::vector<WindowCommands::MenuEntry>(
                                                 std::begin(kCommands), std::end(kCommands)));
    m_menu->setObjectName(QStringLiteral("windowMenu"));
    connect(CommandAction(CommandId::Cascade), &QAction::triggered, this, &WindowMenu::Cascade);
    connect(CommandAction(CommandId::Tile), &QAction::triggered, this, &WindowMenu::Tile);
    connect(CommandAction(CommandId::CloseAllWindows), &QAction::triggered, this,
            &WindowMenu::CloseAll);
    m_listSeparator = m_menu->addSeparator();
    connect(m_menu, &QMenu::aboutToShow, this, &WindowMenu::Refresh);
    connect(m_area, &QMdiArea::subWindowActivated, this, &WindowMenu::Refresh);
    Refresh();
}

WindowMenu::~WindowMenu() {
    // The menu is shown in the main window's menu bar, not among this object's children.
    delete m_menu;
}

QAction* WindowMenu::CommandAction(CommandId id) const {
    return m_commands.Action(id);
}

QList<QAction*> WindowMenu::WindowActions() const {
    return m_windowActions.mid(0, m_listed.size());
}

void WindowMenu::Refresh() {
    const QList<QMdiSubWindow*> open = OpenWindows(*m_area);
    for (CommandId id : kCommands)
        CommandAction(id)->setEnabled(!open.isEmpty());
    m_listSeparator->setVisible(!open.isEmpty());
    while (m_windowActions.size() < open.size()) {
        const int index = static_cast<int>(m_windowActions.size());
        auto* action = new QAction(this);
        action->setCheckable(true);
        m_menu->addAction(action);
        connect(action, &QAction::triggered, this, [this, index] { Activate(index); });
        m_windowActions << action;
    }
    m_listed.clear();
    const QMdiSubWindow* active = m_area->activeSubWindow();
    for (int i = 0; i < m_windowActions.size(); ++i) {
        QAction* action = m_windowActions.at(i);
        const bool listed = i < open.size();
        action->setVisible(listed);
        if (!listed)
            continue;
        QMdiSubWindow* child = open.at(i);
        m_listed << child;
        action->setText(ListText(i + 1, child->windowTitle()));
        action->setChecked(child == active);
    }
}

void WindowMenu::Activate(int index) {
    QMdiSubWindow* child = m_listed.value(index);
    if (child) {
        // A minimized window comes back as it was before.
        if (child->isMinimized())
            child->showNormal();
        m_area->setActiveSubWindow(child);
    }
    // Chosen again, the active window's command would untick itself.
    Refresh();
}

QList<QMdiSubWindow*> WindowMenu::Restored(QMdiArea::WindowOrder order) {
    QList<QMdiSubWindow*> arranged;
    for (QMdiSubWindow* child : m_area->subWindowList(order)) {
        if (child->isHidden() || child->isMinimized())
            continue;
        if (child->isMaximized())
            child->showNormal();
        arranged << child;
    }
    return arranged;
}

void WindowMenu::Place(const QList<QMdiSubWindow*>& windows, const QList<QRect>& places) {
    for (int i = 0; i < windows.size() && i < places.size(); ++i)
        windows.at(i)->setGeometry(places.at(i));
}

namespace {

QList<QSize> Minimums(const QList<QMdiSubWindow*>& windows) {
    QList<QSize> minimums;
    for (const QMdiSubWindow* child : windows)
        minimums << child->minimumSizeHint().expandedTo(child->minimumSize());
    return minimums;
}

} // namespace

void WindowMenu::Cascade() {
    // Stacked as they are, the window in front stays in front, last and lowest.
    const QList<QMdiSubWindow*> windows = Restored(QMdiArea::StackingOrder);
    if (windows.isEmpty())
        return;
    const int step = windows.constFirst()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr,
                                                                windows.constFirst());
    Place(windows, WindowArrangement::Cascade(m_area->viewport()->size(), Minimums(windows), step));
}

void WindowMenu::Tile() {
    const QList<QMdiSubWindow*> windows = Restored(QMdiArea::CreationOrder);
    Place(windows, WindowArrangement::Tile(m_area->viewport()->size(), Minimums(windows)));
}

bool WindowMenu::CloseAll() {
    QList<QPointer<QMdiSubWindow>> windows;
    for (QMdiSubWindow* child : OpenWindows(*m_area))
        windows << child;
    for (const QPointer<QMdiSubWindow>& child : std::as_const(windows)) {
        if (!child)
            continue;
        // The window that asks is the one in front.
        m_area->setActiveSubWindow(child);
        if (!child->close())
            return false;
    }
    return true;
}

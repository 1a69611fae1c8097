#include "platform_widgets/LockKeyIndicators.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include <optional>

// Xlib's headers define names such as None and Status as macros: they come after Qt's.
#include <X11/XKBlib.h>

namespace {

constexpr int kRefreshMilliseconds = 250;

// The state of the keyboard light with that name, when the display is an X server that has it.
std::optional<bool> LightIsOn(const char* name) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0)
        return std::nullopt;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return std::nullopt;
    return on == True;
}

} // namespace

LockKeyIndicators::LockKeyIndicators(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const char* const texts[] = {"MAY", "NUM", "DESP"};
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        m_panes[i] = new QLabel(QString::fromLatin1(texts[i]), this);
        m_panes[i]->setEnabled(false);
        layout->addWidget(m_panes[i]);
    }
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &LockKeyIndicators::Refresh);
    timer->start(kRefreshMilliseconds);
    Refresh();
}

LockKeyIndicators* LockKeyIndicators::AddTo(QStatusBar& bar) {
    auto* indicators = new LockKeyIndicators(&bar);
    bar.addPermanentWidget(indicators);
    return indicators;
}

void LockKeyIndicators::Refresh() {
    const char* const lights[] = {"Caps Lock", "Num Lock", "Scroll Lock"};
    for (std::size_t i = 0; i < m_panes.size(); ++i)
        m_panes[i]->setEnabled(LightIsOn(lights[i]).value_or(false));
}

bool LockKeyIndicators::IsShownOn(int lock) const {
    return lock >= 0 && lock < static_cast<int>(m_panes.size()) &&
           m_panes[static_cast<std::size_t>(lock)]->isEnabled();
}

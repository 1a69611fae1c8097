#include "platform_widgets/LockKeyIndicators.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <X11/XKBlib.h>

namespace {

// Locks or unlocks caps lock on the X server, as the key would.
void SetCapsLock(Display* display, bool on) {
    XkbLockModifiers(display, XkbUseCoreKbd, LockMask, on ? LockMask : 0);
    XSync(display, False);
}

} // namespace

// Run on an X server of its own (the suite's X run under xvfb-run); elsewhere there are no
// lights to read and every pane stays grey.
TEST(LockKeyIndicators, FollowTheKeyboardLights) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    LockKeyIndicators panes;
    if (!display) {
        for (int lock = 0; lock < 3; ++lock)
            EXPECT_FALSE(panes.IsShownOn(lock));
        GTEST_SKIP() << "no X server: the lights are not read";
    }
    SetCapsLock(display, true);
    panes.Refresh();
    EXPECT_TRUE(panes.IsShownOn(0));
    EXPECT_FALSE(panes.IsShownOn(2));
    SetCapsLock(display, false);
    panes.Refresh();
    EXPECT_FALSE(panes.IsShownOn(0));
}

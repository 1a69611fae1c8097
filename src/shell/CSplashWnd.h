#pragma once

#include "imaging/CPictureBitmap.h"

#include <QBasicTimer>
#include <QPointer>
#include <QWidget>

// The start-up picture: a frameless window exactly the size of the picture, in the middle of the
// screen, over the main window while it comes up. It goes after a second, or sooner at the first
// key or mouse button pressed anywhere in the application; the main window is repainted then.
// The wait is a timer, so the main window stays responsive while the picture is up.
class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 1000;

    // The main window is repainted when the picture goes; it may be null.
    explicit CSplashWnd(QWidget* mainWindow);
    ~CSplashWnd() override;

    // Shows the picture centred on the screen and starts its timer. Nothing is shown when the
    // picture cannot be had; the window then closes at once.
    void ShowSplash();
    // The picture is up (shown and not yet gone).
    bool IsShowing() const { return m_showing; }
    const CPictureBitmap& Picture() const { return m_picture; }

    // The start-up picture for mainWindow, unless one is already up: made, shown, and deleted
    // once it goes. Returns it, or null when one was already showing.
    static CSplashWnd* ShowSplashScreen(QWidget* mainWindow);

signals:
    // The picture went, by its timer or a key or button.
    void hidden();

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void HideSplashScreen();

    CPictureBitmap m_picture;
    QPointer<QWidget> m_mainWindow;
    QBasicTimer m_timer;
    bool m_showing = false;
};

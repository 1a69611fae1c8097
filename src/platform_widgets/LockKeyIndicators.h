#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QStatusBar;

// The caps lock, num lock and scroll lock panes of a status bar, "MAY", "NUM" and "DESP": each
// is drawn in the normal text colour while its lock is on, and greyed while it is off or while
// the display gives no way to know it. The keyboard's lights are read a few times a second, so
// a lock changed in any window, or before Plenova started, shows.
class LockKeyIndicators : public QWidget {
public:
    explicit LockKeyIndicators(QWidget* parent = nullptr);

    // Adds the three panes to the right end of the status bar.
    static LockKeyIndicators* AddTo(QStatusBar& bar);

    // Reads the keyboard's lights now.
    void Refresh();
    // Whether the pane of lock 0 (caps), 1 (num) or 2 (scroll) shows the lock on.
    bool IsShownOn(int lock) const;

private:
    std::array<QLabel*, 3> m_panes{};
};

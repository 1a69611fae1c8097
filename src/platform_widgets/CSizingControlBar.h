#pragma once

#include <QDockWidget>
#include <QSize>

class QCloseEvent;
class QResizeEvent;

// A dockable panel that hosts one dialog: the access bar of the main window and the properties
// window of each design window. The main window (a QMainWindow, the bar's parent) docks it on its
// sides, floats it and resizes it by the inner edge; this class adds what the panels need on top:
//
// - its sizes come from the dialog: floating it is the dialog's size w x h (plus the title band
//   Qt draws where the window system does not frame the floating bar), docked on the left or
//   right it is w + 9 wide, docked at the top or bottom h + 9 high (the 9 pixels are the room
//   the resizing edge and the border took around the dialog). A docked bar never gets narrower
//   or lower than 32 pixels, whatever the dialog's own minimum, so the dialog is clipped rather
//   than the bar refusing to shrink.
// - the close box of a docked bar does not hide it: it emits closeRequested() and the owner
//   decides (the design window hides its properties, the main window keeps its access bar). The
//   close box of the floating frame hides the bar as any window's would.
// - docked at the top or bottom, the title runs down the leading side, so the dialog keeps the
//   whole height it was made for.
//
// The dialog becomes a child of the bar and always fills its client area.
class CSizingControlBar : public QDockWidget {
    Q_OBJECT

public:
    // Smallest width and height of a docked bar.
    static constexpr int MinimumExtent = 32;
    // What a docked bar adds to the dialog across the dock: the resizing edge and the border.
    static constexpr int EdgeAndBorder = 9;

    // The dialog's size is its own when it was resized before, otherwise its size hint.
    CSizingControlBar(const QString& title, QWidget* dialog, QWidget* parent = nullptr);

    QWidget* Dialog() const { return m_dialog; }
    // Size while floating; follows the user's resizing of the floating frame.
    QSize FloatingSize() const { return m_floatingSize; }
    // Size docked at the top or bottom (only its height counts: the width follows the dock).
    QSize HorizontalSize() const { return m_horizontalSize; }
    // Size docked on the left or right (only its width counts).
    QSize VerticalSize() const { return m_verticalSize; }

    // The client size the bar asks for where it is now (docked on a side, or floating).
    QSize ClientSizeHint() const;

signals:
    // The close box of the docked bar was pressed (or close() called on it); the bar stays as it
    // is. The owner that wants it gone hides it.
    void closeRequested();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Qt::DockWidgetArea Area() const;
    void OnTopLevelChanged(bool floating);
    void OnAreaChanged(Qt::DockWidgetArea area);
    void BecomeFloatingFrame();
    // What a floating bar adds around its dialog: nothing where the window manager frames it.
    QSize FloatingFrame() const;

    QWidget* m_dialog;
    // The title band while docked; floating, the window frame's caption takes its place.
    QWidget* m_title;
    QSize m_floatingSize;
    QSize m_horizontalSize;
    QSize m_verticalSize;
    // Whether the floating size has been applied since the bar last left its dock: until then a
    // resize is the dock's size carried over, not the user's choice.
    bool m_floatingSized = false;
};

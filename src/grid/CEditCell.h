#pragma once

#include <QLineEdit>

// The edit box the grid lays over its current cell. It never stores anything itself: the keys
// that end an edit and the loss of the focus are reported to the grid, which takes the text.
class CEditCell : public QLineEdit {
    Q_OBJECT
public:
    explicit CEditCell(QWidget* grid);

    // Set when editing started from the cell's own text (F2): Left and Right then move the caret
    // instead of ending the edit.
    void SetKeepCaret(bool keep) { m_keepCaret = keep; }
    bool KeepCaret() const { return m_keepCaret; }
    // Set by the grid while it hides the box after taking its text, so that the loss of the
    // focus does not confirm the text a second time.
    void SetQuietHide(bool quiet) { m_quietHide = quiet; }
    bool QuietHide() const { return m_quietHide; }

signals:
    // The edit ends with key: Enter confirms, Esc cancels, arrows and F2 to F24 confirm and then
    // act on the grid.
    void editEnded(int key);
    // The focus went from the box to a window other than the grid.
    void focusLeftGrid();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Reported from the event loop, after the key press has been fully handled.
    void PostEnd(int key);

    bool m_keepCaret = false;
    bool m_quietHide = false;
};

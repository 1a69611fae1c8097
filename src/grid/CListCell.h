#pragma once

#include <QComboBox>

// The drop-down list the grid lays over the current cell of a list column. Like the edit box,
// it only reports how the edit ends; the grid takes the chosen text.
class CListCell : public QComboBox {
    Q_OBJECT
public:
    explicit CListCell(QWidget* grid);

    void SetQuietHide(bool quiet) { m_quietHide = quiet; }
    bool QuietHide() const { return m_quietHide; }

    // Selects the first entry that begins with prefix (case ignored), searching from the top;
    // false, and the selection unchanged, when none does.
    bool SelectPrefix(const QString& prefix);

signals:
    void editEnded(int key);
    void focusLeftGrid();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_quietHide = false;
};

#pragma once

#include <QLineEdit>

// The one-line entry box of a text line on the capture screen. It keeps the identifier it was
// made with and says so when the user leaves it, so that the capture window can reformat the
// value and recompute the fields that depend on it.
class CCaptureEdit : public QLineEdit {
    Q_OBJECT
public:
    CCaptureEdit(int identifier, QWidget* parent);

    int Identifier() const { return m_identifier; }

signals:
    // After the box has lost the keyboard focus and done its own handling of it.
    void focusLost(int identifier);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_identifier;
};

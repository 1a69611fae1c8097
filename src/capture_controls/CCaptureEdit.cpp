#include "capture_controls/CCaptureEdit.h"

CCaptureEdit::CCaptureEdit(int identifier, QWidget* parent)
    : QLineEdit(parent), m_identifier(identifier) {}

void CCaptureEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit focusLost(m_identifier);
}
